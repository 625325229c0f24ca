// A FUSE file system for the tests, mounted over a directory: it passes
// every call on to what the directory held before (opened before the mount),
// as the caller, and adds the faults it is told of, as real file systems have
// them. Usage: jlex_faultfs DIR RULE...
//   fail-reads=NAME:ERRNO[:AFTER[:FROM]]  reads of files named NAME (* for
//       any) fail with ERRNO but for their first AFTER bytes; with FROM, only
//       reads that start at FROM or later, before the file's end
//   interrupted-reads    every other read fails with EINTR, as one a signal cut short
//   no-exchange          names cannot be exchanged (RENAME_EXCHANGE), as on
//                        many file systems
//   moves-on-exchange=D  when asked to exchange two names in directory D,
//                        another program has just renamed D to D.gone
// Prints "mounted" once the file system is there; ends when it is unmounted.
#define FUSE_USE_VERSION 31
#include <fuse.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <string>
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <unistd.h>
#include <vector>

namespace {

struct ReadFault {
    std::string name;
    int error = EIO;
    long long after = 0;
    long long from = -1;
    long long served = 0;
};

struct Rules {
    std::vector<ReadFault> reads;
    bool interrupted = false;
    bool noExchange = false;
    std::string movesOnExchange;
};

Rules rules;
int base = -1;
long long readCount = 0;

const char* relative(const char* path)
{
    return path[1] ? path + 1 : ".";
}

std::string baseName(const char* path)
{
    const char* slash = std::strrchr(path, '/');
    return slash ? slash + 1 : path;
}

std::string dirName(const char* path)
{
    const std::string rel = relative(path);
    const size_t slash = rel.rfind('/');
    return slash == std::string::npos ? "." : rel.substr(0, slash);
}

int errorNamed(const std::string& name)
{
    for (int e = 1; e < 134; ++e) {
        const char* n = strerrorname_np(e);
        if (n && name == n)
            return e;
    }
    return std::atoi(name.c_str());
}

// Every call acts as the process that made it, so files are theirs and the
// file system below checks their rights.
struct AsCaller {
    AsCaller()
    {
        const fuse_context* c = fuse_get_context();
        setfsgid(c->gid);
        setfsuid(c->uid);
    }
    ~AsCaller()
    {
        setfsuid(0);
        setfsgid(0);
    }
};

int result(int r)
{
    return r < 0 ? -errno : 0;
}

void* fs_init(fuse_conn_info*, fuse_config* cfg)
{
    cfg->use_ino = 1;
    cfg->hard_remove = 1;
    cfg->entry_timeout = 0;
    cfg->attr_timeout = 0;
    cfg->negative_timeout = 0;
    // Every read reaches the file system, none is answered from the page cache.
    cfg->direct_io = 1;
    return nullptr;
}

int fs_getattr(const char* path, struct stat* st, fuse_file_info* fi)
{
    AsCaller as;
    if (fi)
        return result(fstat(int(fi->fh), st));
    return result(fstatat(base, relative(path), st, AT_SYMLINK_NOFOLLOW));
}

int fs_readlink(const char* path, char* buf, size_t size)
{
    AsCaller as;
    const ssize_t n = readlinkat(base, relative(path), buf, size - 1);
    if (n < 0)
        return -errno;
    buf[n] = 0;
    return 0;
}

int fs_readdir(const char* path, void* buf, fuse_fill_dir_t filler, off_t, fuse_file_info*,
               fuse_readdir_flags)
{
    AsCaller as;
    const int fd = openat(base, relative(path), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return -errno;
    DIR* dir = fdopendir(fd);
    if (!dir) {
        close(fd);
        return -errno;
    }
    while (const dirent* e = ::readdir(dir)) {
        struct stat st {};
        st.st_ino = e->d_ino;
        st.st_mode = mode_t(DTTOIF(e->d_type));
        if (filler(buf, e->d_name, &st, 0, fuse_fill_dir_flags(0)))
            break;
    }
    closedir(dir);
    return 0;
}

int fs_mkdir(const char* path, mode_t mode)
{
    AsCaller as;
    return result(mkdirat(base, relative(path), mode));
}

int fs_unlink(const char* path)
{
    AsCaller as;
    return result(unlinkat(base, relative(path), 0));
}

int fs_rmdir(const char* path)
{
    AsCaller as;
    return result(unlinkat(base, relative(path), AT_REMOVEDIR));
}

int fs_symlink(const char* to, const char* path)
{
    AsCaller as;
    return result(symlinkat(to, base, relative(path)));
}

int fs_rename(const char* from, const char* to, unsigned int flags)
{
    AsCaller as;
    if (flags & RENAME_EXCHANGE) {
        if (!rules.movesOnExchange.empty() && dirName(from) == rules.movesOnExchange)
            renameat(base, rules.movesOnExchange.c_str(), base,
                     (rules.movesOnExchange + ".gone").c_str());
        if (rules.noExchange)
            return -EINVAL;
    }
    return result(renameat2(base, relative(from), base, relative(to), flags));
}

int fs_link(const char* from, const char* to)
{
    AsCaller as;
    return result(linkat(base, relative(from), base, relative(to), 0));
}

int fs_chmod(const char* path, mode_t mode, fuse_file_info* fi)
{
    AsCaller as;
    if (fi)
        return result(fchmod(int(fi->fh), mode));
    return result(fchmodat(base, relative(path), mode, 0));
}

int fs_chown(const char* path, uid_t uid, gid_t gid, fuse_file_info* fi)
{
    AsCaller as;
    if (fi)
        return result(fchown(int(fi->fh), uid, gid));
    return result(fchownat(base, relative(path), uid, gid, AT_SYMLINK_NOFOLLOW));
}

int fs_truncate(const char* path, off_t size, fuse_file_info* fi)
{
    AsCaller as;
    if (fi)
        return result(ftruncate(int(fi->fh), size));
    const int fd = openat(base, relative(path), O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return -errno;
    const int r = result(ftruncate(fd, size));
    close(fd);
    return r;
}

int fs_utimens(const char* path, const timespec tv[2], fuse_file_info* fi)
{
    AsCaller as;
    if (fi)
        return result(futimens(int(fi->fh), tv));
    return result(utimensat(base, relative(path), tv, AT_SYMLINK_NOFOLLOW));
}

int fs_open(const char* path, fuse_file_info* fi)
{
    AsCaller as;
    const int fd = openat(base, relative(path), fi->flags | O_CLOEXEC);
    if (fd < 0)
        return -errno;
    fi->fh = uint64_t(fd);
    return 0;
}

int fs_create(const char* path, mode_t mode, fuse_file_info* fi)
{
    AsCaller as;
    const int fd = openat(base, relative(path), fi->flags | O_CREAT | O_CLOEXEC, mode);
    if (fd < 0)
        return -errno;
    fi->fh = uint64_t(fd);
    return 0;
}

int fs_read(const char* path, char* buf, size_t size, off_t at, fuse_file_info* fi)
{
    const int fd = int(fi->fh);
    if (rules.interrupted && readCount++ % 2 == 0)
        return -EINTR;
    struct stat st {};
    fstat(fd, &st);
    const std::string name = path ? baseName(path) : std::string();
    for (ReadFault& fault : rules.reads) {
        if (fault.name != "*" && fault.name != name)
            continue;
        if (at >= st.st_size)
            return 0;
        if (fault.from >= 0 && at < fault.from)
            continue;
        // Never a part: FUSE takes a short read for the end of the file.
        const ssize_t n = pread(fd, buf, size, at);
        if (n < 0)
            return -errno;
        if (fault.served + n > fault.after)
            return -fault.error;
        fault.served += n;
        return int(n);
    }
    const ssize_t n = pread(fd, buf, size, at);
    return n < 0 ? -errno : int(n);
}

int fs_write(const char*, const char* buf, size_t size, off_t at, fuse_file_info* fi)
{
    const ssize_t n = pwrite(int(fi->fh), buf, size, at);
    return n < 0 ? -errno : int(n);
}

int fs_statfs(const char*, struct statvfs* st)
{
    return result(fstatvfs(base, st));
}

int fs_flush(const char*, fuse_file_info*)
{
    return 0;
}

int fs_release(const char*, fuse_file_info* fi)
{
    close(int(fi->fh));
    return 0;
}

int fs_fsync(const char*, int dataOnly, fuse_file_info* fi)
{
    return result(dataOnly ? fdatasync(int(fi->fh)) : ::fsync(int(fi->fh)));
}

bool parse(const std::string& rule)
{
    const size_t eq = rule.find('=');
    const std::string key = rule.substr(0, eq);
    const std::string value = eq == std::string::npos ? std::string() : rule.substr(eq + 1);
    if (key == "fail-reads") {
        ReadFault fault;
        std::vector<std::string> parts;
        for (size_t from = 0;;) {
            const size_t colon = value.find(':', from);
            parts.push_back(value.substr(from, colon - from));
            if (colon == std::string::npos)
                break;
            from = colon + 1;
        }
        if (parts.size() < 2)
            return false;
        fault.name = parts[0];
        fault.error = errorNamed(parts[1]);
        if (parts.size() > 2)
            fault.after = std::atoll(parts[2].c_str());
        if (parts.size() > 3)
            fault.from = std::atoll(parts[3].c_str());
        rules.reads.push_back(fault);
    } else if (key == "interrupted-reads") {
        rules.interrupted = true;
    } else if (key == "no-exchange") {
        rules.noExchange = true;
    } else if (key == "moves-on-exchange") {
        rules.movesOnExchange = value;
    } else {
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: jlex_faultfs DIR RULE...\n");
        return 2;
    }
    for (int i = 2; i < argc; ++i) {
        if (!parse(argv[i])) {
            std::fprintf(stderr, "jlex_faultfs: unknown rule %s\n", argv[i]);
            return 2;
        }
    }
    ::umask(0); // the caller's umask was applied already
    base = ::open(argv[1], O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (base < 0) {
        std::perror(argv[1]);
        return 1;
    }
    fuse_operations ops{};
    ops.init = fs_init;
    ops.getattr = fs_getattr;
    ops.readlink = fs_readlink;
    ops.readdir = fs_readdir;
    ops.mkdir = fs_mkdir;
    ops.unlink = fs_unlink;
    ops.rmdir = fs_rmdir;
    ops.symlink = fs_symlink;
    ops.rename = fs_rename;
    ops.link = fs_link;
    ops.chmod = fs_chmod;
    ops.chown = fs_chown;
    ops.truncate = fs_truncate;
    ops.utimens = fs_utimens;
    ops.open = fs_open;
    ops.create = fs_create;
    ops.read = fs_read;
    ops.write = fs_write;
    ops.statfs = fs_statfs;
    ops.flush = fs_flush;
    ops.release = fs_release;
    ops.fsync = fs_fsync;
    char program[] = "jlex_faultfs";
    char option[] = "-o";
    // Root's tests act as other users too; anyone else may not allow them.
    char asRoot[] = "allow_other,default_permissions,fsname=jlex-faultfs,subtype=jlex";
    char asUser[] = "default_permissions,fsname=jlex-faultfs,subtype=jlex";
    char* args[] = {program, option, geteuid() == 0 ? asRoot : asUser, nullptr};
    fuse_args fargs = FUSE_ARGS_INIT(3, args);
    fuse* fs = fuse_new(&fargs, &ops, sizeof ops, nullptr);
    if (!fs || fuse_mount(fs, argv[1]) != 0) {
        std::fprintf(stderr, "jlex_faultfs: cannot mount %s\n", argv[1]);
        return 1;
    }
    std::printf("mounted\n");
    std::fflush(stdout);
    fuse_set_signal_handlers(fuse_get_session(fs));
    const int r = fuse_loop(fs);
    fuse_remove_signal_handlers(fuse_get_session(fs));
    fuse_unmount(fs);
    fuse_destroy(fs);
    return r == 0 ? 0 : 1;
}
