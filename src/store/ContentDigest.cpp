#include "store/ContentDigest.h"

#include "store/FileSteps.h"

#include <openssl/evp.h>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <limits>
#include <unistd.h>

namespace jlex {

struct DigestBuilder::Context {
    EVP_MD_CTX* ctx = EVP_MD_CTX_new();
    ~Context() { EVP_MD_CTX_free(ctx); }
};

DigestBuilder::DigestBuilder() : m_context(std::make_unique<Context>())
{
    EVP_DigestInit_ex(m_context->ctx, EVP_sha256(), nullptr);
}

DigestBuilder::~DigestBuilder() = default;

void DigestBuilder::add(QByteArrayView bytes)
{
    if (bytes.isEmpty())
        return;
    EVP_DigestUpdate(m_context->ctx, bytes.data(), size_t(bytes.size()));
    m_bytes += bytes.size();
    // memchr is the fastest way through a large file by far.
    const char* const end = bytes.data() + bytes.size();
    for (const char* p = bytes.data();
         (p = static_cast<const char*>(std::memchr(p, '\n', size_t(end - p)))); ++p)
        ++m_lines;
    if (m_last == '\r' && bytes.front() != '\n')
        m_loneCr = true;
    for (const char* p = bytes.data();
         !m_loneCr && (p = static_cast<const char*>(std::memchr(p, '\r', size_t(end - p)))); ++p)
        m_loneCr = p + 1 < end && p[1] != '\n';
    m_last = bytes.back();
}

ContentDigest DigestBuilder::finish()
{
    QByteArray sha(EVP_MAX_MD_SIZE, Qt::Uninitialized);
    unsigned int size = 0;
    EVP_DigestFinal_ex(m_context->ctx, reinterpret_cast<unsigned char*>(sha.data()), &size);
    sha.resize(qsizetype(size));
    return {sha, m_bytes, m_lines + (m_last != '\n' ? 1 : 0), m_loneCr || m_last == '\r'};
}

ContentDigest digestOf(QByteArrayView bytes)
{
    DigestBuilder builder;
    builder.add(bytes);
    return builder.finish();
}

ContentDigest digestOfFile(int fd)
{
    DigestBuilder builder;
    const int error = readBlocks(fd, 0, std::numeric_limits<qint64>::max(), [&](QByteArrayView b) {
        builder.add(b);
        return true;
    });
    if (error) {
        ContentDigest failed;
        failed.error = error;
        return failed;
    }
    return builder.finish();
}

std::future<ContentDigest> digestOfFileLater(int fd)
{
    const int own = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
    if (own < 0)
        return std::async(std::launch::deferred, [error = errno] {
            ContentDigest failed;
            failed.error = error;
            return failed;
        });
    return std::async(std::launch::async, [own] {
        const ContentDigest digest = digestOfFile(own);
        ::close(own);
        return digest;
    });
}

} // namespace jlex
