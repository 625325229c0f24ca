// Makes the manual pages and the shell completions from the command line's
// own description, so they say what `jlex --help` says and offer what it takes.
//
//   jlex_docgen man OUT NAMES SUMMARY DATE SOURCE SEE_ALSO [TEXT]
//       a manual page from TEXT, or from `jlex --help` without it; NAMES are
//       the comma-separated programs it covers, SEE_ALSO its references
//   jlex_docgen bash|zsh|fish OUT
//       the completion for that shell
//
// A text is read as --help lays it out: a heading ends in "：" at the start of
// a line (the first line carries the usage after it); an item is a two-space
// line with its text indented below it, or after two spaces beside it; a
// two-space line starting with the program's name is an example; other lines
// are paragraphs.
#include "cli/Commands.h"
#include "cli/HelpText.h"
#include "tables/PhraseTables.h"
#include "targets/Registry.h"

#include <QCoreApplication>
#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>

#include <algorithm>
#include <cstdio>

using namespace Qt::StringLiterals;
using namespace jlex::cli;

namespace {

const QString kClosing = u"，。、；：！？）」』】”’…"_s;
const QString kOpening = u"（「『【“‘"_s;

bool isMark(QChar c)
{
    return kClosing.contains(c) || kOpening.contains(c);
}

bool isWide(QChar c)
{
    const char16_t u = c.unicode();
    return (u >= 0x2E80 && u <= 0xA4CF) || (u >= 0xAC00 && u <= 0xD7A3) ||
           (u >= 0xF900 && u <= 0xFAFF) || (u >= 0xFE30 && u <= 0xFE4F) ||
           (u >= 0xFF00 && u <= 0xFF60) || (u >= 0xFFE0 && u <= 0xFFE6) || c.isSurrogate() ||
           isMark(c);
}

int indentOf(const QString& line)
{
    int n = 0;
    while (n < line.size() && line[n] == u' ')
        ++n;
    return n;
}

// Lines of one paragraph as one. A line break stood for a space, except
// between two Chinese characters, beside a Chinese punctuation mark or after
// a path's slash.
QString joined(const QStringList& lines)
{
    QString text;
    for (const QString& line : lines) {
        const QString part = line.trimmed();
        if (part.isEmpty())
            continue;
        const bool tight = text.isEmpty() || (isWide(text.back()) && isWide(part.front())) ||
                           isMark(text.back()) || isMark(part.front()) || text.back() == u'/';
        if (!tight)
            text += u' ';
        text += part;
    }
    return text;
}

// ---- manual pages --------------------------------------------------------

// Text as roff. groff breaks lines only at spaces, so `\:` marks where a
// line of Chinese may break: between two characters, but never before a
// closing mark or after an opening one.
QString roff(const QString& text, bool breakable = true)
{
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        switch (c.unicode()) {
        case u'\\':
            out += "\\e"_L1;
            break;
        case u'-':
            out += "\\-"_L1;
            break;
        case u'\'':
            out += "\\(aq"_L1;
            break;
        case u'`':
            out += "\\(ga"_L1;
            break;
        case u'~':
            out += "\\(ti"_L1;
            break;
        case u'^':
            out += "\\(ha"_L1;
            break;
        case u'.':
            out += i == 0 ? "\\&."_L1 : "."_L1;
            break;
        default:
            out += c;
        }
        if (!breakable || i + 1 == text.size())
            continue;
        const QChar next = text[i + 1];
        if ((isWide(c) || isWide(next)) && !c.isSpace() && !next.isSpace() &&
            !c.isHighSurrogate() && !kClosing.contains(next) && !kOpening.contains(c))
            out += "\\:"_L1;
    }
    return out;
}

// Usage lines and item names: the program, commands and options bold, the
// words one fills in italic.
QString marked(const QString& words, const QString& program)
{
    QStringList out;
    const QStringList tokens = words.split(u' ', Qt::SkipEmptyParts);
    for (qsizetype i = 0; i < tokens.size(); ++i) {
        static const QRegularExpression parts(u"^([\\[(]*)(.*?)([\\]),|]*)$"_s);
        const auto m = parts.match(tokens[i]);
        const QString core = m.captured(2);
        QString font = "R"_L1;
        if (i == 0 || core.startsWith(u'-') || core == program)
            font = "B"_L1;
        else if (!core.isEmpty() && isWide(core.front()))
            font = "I"_L1;
        const QString inFont =
            core.isEmpty() ? QString() : "\\f"_L1 + font + roff(core, false) + "\\fR"_L1;
        out << roff(m.captured(1), false) + inFont + roff(m.captured(3), false);
    }
    return out.join(u' ');
}

struct Page {
    QStringList names;
    QString summary, date, source;
    QStringList seeAlso;
};

QString manPage(const QString& text, const Page& page)
{
    const QString& program = page.names.constFirst();
    QString out = ".\\\" -*- coding: UTF-8 -*-\n"
                  ".\\\" Made by jlex_docgen; change its source, not this file.\n"_L1;
    out += ".TH %1 1 %2 \"%3\" jlex\n.ad l\n.nh\n"_L1.arg(roff(program.toUpper(), false), page.date,
                                                          roff(page.source, false));
    out += u".SH 名称\n"_s + roff(page.names.join(", "_L1), false) + " \\- "_L1 +
           roff(page.summary, false) + u'\n';

    QStringList lines = text.split(u'\n');
    const qsizetype colon = lines.constFirst().indexOf(u'：');
    out += ".SH "_L1 + roff(lines.constFirst().left(colon)) + u'\n';
    QStringList usage{lines.constFirst().mid(colon + 1)};
    qsizetype i = 1;
    for (; i < lines.size() && indentOf(lines[i]) > 0; ++i)
        usage << lines[i].trimmed();
    for (const QString& line : usage)
        out += marked(line, program) + "\n.br\n"_L1;

    bool described = false;
    QStringList paragraph;
    const auto endParagraph = [&] {
        if (!paragraph.isEmpty())
            out += ".PP\n"_L1 + roff(joined(paragraph)) + u'\n';
        paragraph.clear();
    };
    const auto textBelow = [&](qsizetype at) {
        return at < lines.size() && indentOf(lines[at]) > 2 && !lines[at].trimmed().isEmpty();
    };
    static const QRegularExpression besideItsName(u"^  (\\S+) {2,}(\\S.*)$"_s);
    while (i < lines.size()) {
        const QString& line = lines[i];
        const QString body = line.trimmed();
        const int indent = indentOf(line);
        if (body.isEmpty()) {
            endParagraph();
            ++i;
        } else if (indent == 0 && body.endsWith(u'：')) {
            endParagraph();
            out += ".SH "_L1 + roff(body.chopped(1)) + u'\n';
            described = true;
            ++i;
        } else if (const auto beside = besideItsName.match(line);
                   indent == 2 && (beside.hasMatch() || textBelow(i + 1))) {
            endParagraph();
            QStringList itemText;
            if (beside.hasMatch())
                itemText << beside.captured(2);
            const QString name = beside.hasMatch() ? beside.captured(1) : body;
            for (++i; textBelow(i); ++i)
                itemText << lines[i];
            out += ".TP\n"_L1 + marked(name, program) + u'\n' + roff(joined(itemText)) + u'\n';
        } else if (indent == 2 && body.startsWith(program + u' ')) {
            endParagraph();
            out += ".EX\n"_L1;
            for (; i < lines.size() && indentOf(lines[i]) == 2 &&
                   lines[i].trimmed().startsWith(program + u' ');
                 ++i)
                out += roff(lines[i].trimmed(), false) + u'\n';
            out += ".EE\n"_L1;
        } else {
            // What follows the usage before any heading says what the program does.
            if (!described)
                out += u".SH 描述\n"_s;
            described = true;
            paragraph << body;
            ++i;
        }
    }
    endParagraph();
    if (!page.seeAlso.isEmpty()) {
        QStringList refs;
        for (const QString& ref : page.seeAlso) {
            const qsizetype paren = ref.indexOf(u'(');
            refs << ".BR "_L1 + roff(ref.left(paren), false) + " "_L1 + ref.mid(paren);
        }
        out += u".SH 参见\n"_s + refs.join(",\n"_L1) + u'\n';
    }
    return out;
}

// ---- completions -----------------------------------------------------------

// What an option's value is made of, as far as a shell can offer it.
enum class Value { None, Choices, Tables, HistoryIds, Directory, File };

Value valueOf(const Option& option)
{
    const QString& name = option.names.constLast();
    if (option.valueName.isEmpty())
        return Value::None;
    if (option.valueName.contains(u'|'))
        return Value::Choices;
    if (name == "tables"_L1)
        return Value::Tables;
    if (name == "from"_L1)
        return Value::HistoryIds;
    return name.endsWith("dir"_L1) ? Value::Directory : Value::File;
}

QString dashed(const QString& name)
{
    return (name.size() == 1 ? "-"_L1 : "--"_L1) + name;
}

QStringList dashedNames(const Option& option)
{
    QStringList names;
    for (const QString& name : option.names)
        names << dashed(name);
    return names;
}

QString tableNames()
{
    QStringList names;
    for (jlex::PhraseTable table : jlex::kAllPhraseTables)
        names << jlex::tableName(table);
    return names.join(u' ');
}

// A description's first phrase, for a shell's one-line hints; a leading
// "install：" says which command an option is for and stays.
QString hint(const QString& description)
{
    const QString text = joined(description.split(u'\n'));
    static const QRegularExpression end(u"[。，；：]"_s);
    for (auto it = end.globalMatch(text); it.hasNext();) {
        const QString phrase = text.left(it.next().capturedStart());
        if (std::any_of(phrase.begin(), phrase.end(), isWide))
            return phrase;
    }
    return text;
}

// The options a command takes: --ime always, then its own.
QList<const Option*> optionsOf(const Command* command)
{
    QList<const Option*> list;
    for (const Option& option : options()) {
        const QString& name = option.names.constLast();
        if (!command || name == "ime"_L1 || command->options.contains(name))
            list << &option;
    }
    return list;
}

QString singleQuoted(QString text)
{
    return u'\'' + text.replace(u'\'', "'\\''"_L1) + u'\'';
}

QString valueOptionPattern(const QString& separator)
{
    QStringList names;
    for (const Option& option : options()) {
        if (valueOf(option) != Value::None)
            names << dashedNames(option);
    }
    return names.join(separator);
}

QString bashCompletion()
{
    QString values, takes, commandWords, all;
    for (const Option& option : options()) {
        const QString pattern = dashedNames(option).join(" | "_L1);
        all += (all.isEmpty() ? ""_L1 : " "_L1) + dashedNames(option).join(u' ');
        switch (valueOf(option)) {
        case Value::None:
            continue;
        case Value::Choices:
            values += "    %1) COMPREPLY=($(compgen -W '%2' -- \"$cur\")); return ;;\n"_L1.arg(
                pattern, QString(option.valueName).replace(u'|', u' '));
            break;
        case Value::Tables:
            values += "    %1)\n"
                      "        # A comma list: its last name is the one to complete.\n"
                      "        COMPREPLY=($(compgen -P \"${cur%\"${cur##*,}\"}\" -W '%2' -- "
                      "\"${cur##*,}\"))\n"
                      "        compopt -o nospace\n"
                      "        return\n"
                      "        ;;\n"_L1.arg(pattern, tableNames());
            break;
        case Value::HistoryIds:
            values += "    %1) COMPREPLY=($(compgen -W \"$(_jlex_history_ids \"${ime[@]}\")\" -- "
                      "\"$cur\")); return ;;\n"_L1.arg(pattern);
            break;
        case Value::Directory:
            values += "    %1) _filedir -d; return ;;\n"_L1.arg(pattern);
            break;
        case Value::File:
            values += "    %1) _filedir; return ;;\n"_L1.arg(pattern);
            break;
        }
    }
    for (const Command& command : commands()) {
        QStringList names;
        for (const Option* option : optionsOf(&command))
            names << dashedNames(*option);
        takes += "        %1) options='%2' ;;\n"_L1.arg(command.name, names.join(u' '));
        commandWords += (commandWords.isEmpty() ? ""_L1 : " "_L1) + command.name;
    }
    QString script =
        uR"sh(# bash completion for jlex                                 -*- shell-script -*-
# Made by jlex_docgen from the command line's own commands and options.

# The ids `jlex history` lists, passing on the --ime given; nothing while
# jlex has no such command.
_jlex_history_ids()
{
    jlex "$@" history 2>/dev/null | cut -f1
}

_jlex()
{
    local cur prev words cword split
    _init_completion -s || return

    local command= i
    local -a ime=()
    for ((i = 1; i < cword; i++)); do
        case ${words[i]} in
        --ime) ime=(--ime "${words[i + 1]-}") ;;
        --ime=*) ime=("${words[i]}") ;;
        esac
        case ${words[i]} in
        @VALUE_OPTIONS@) ((i++)) ;;
        -*) ;;
        *) [[ $command ]] || command=${words[i]} ;;
        esac
    done

    case $prev in
@VALUES@    esac
    $split && return

    if [[ $cur == -* ]]; then
        local options='@ALL@'
        case $command in
@TAKES@        esac
        COMPREPLY=($(compgen -W "$options" -- "$cur"))
        return
    fi
    case $command in
    '') COMPREPLY=($(compgen -W '@COMMANDS@' -- "$cur")) ;;
    history)
        case $prev in
        history) COMPREPLY=($(compgen -W show -- "$cur")) ;;
        show) COMPREPLY=($(compgen -W "$(_jlex_history_ids "${ime[@]}")" -- "$cur")) ;;
        esac
        ;;
    esac
} &&
    complete -F _jlex jlex
)sh"_s;
    return script.replace("@VALUE_OPTIONS@"_L1, valueOptionPattern(" | "_L1))
        .replace("@VALUES@"_L1, values)
        .replace("@ALL@"_L1, all)
        .replace("@TAKES@"_L1, takes)
        .replace("@COMMANDS@"_L1, commandWords);
}

QString zshQuoted(QString text)
{
    return text.replace(u'\\', "\\\\"_L1)
        .replace(u'[', "\\["_L1)
        .replace(u']', "\\]"_L1)
        .replace(u':', "\\:"_L1);
}

QString zshOptionLine(const Option& option)
{
    const QString& name = option.names.constLast();
    QString action;
    switch (valueOf(option)) {
    case Value::None:
        break;
    case Value::Choices:
        action = ":%1:(%2)"_L1.arg(name, QString(option.valueName).replace(u'|', u' '));
        break;
    case Value::Tables:
        action = ":%1:_sequence compadd - %2"_L1.arg(name, tableNames());
        break;
    case Value::HistoryIds:
        action = ":%1:_jlex_history_ids"_L1.arg(name);
        break;
    case Value::Directory:
        action = ":%1:_files -/"_L1.arg(name);
        break;
    case Value::File:
        action = ":%1:_files"_L1.arg(name);
        break;
    }
    const QString described = u'[' + zshQuoted(hint(option.description)) + u']' + action;
    const QString equals = action.isEmpty() ? QString() : "="_L1;
    if (option.names.size() == 1)
        return singleQuoted(dashed(name) + equals + described);
    const QStringList names = dashedNames(option);
    return singleQuoted(u'(' + names.join(u' ') + u')') + u'{' + names.join(u',') + u'}' +
           singleQuoted(equals + described);
}

QString zshOptionLines(const Command* command, const QString& indent)
{
    QString lines;
    for (const Option* option : optionsOf(command))
        lines += indent + zshOptionLine(*option) + " \\\n"_L1;
    return lines;
}

QString zshCompletion()
{
    QString list, arms;
    for (const Command& command : commands()) {
        list += "      "_L1 + singleQuoted(command.name + u':' + hint(command.description)) + u'\n';
        QString taken = zshOptionLines(&command, "          "_L1);
        taken.chop(3); // the last line's continuation
        arms += "      %1) _arguments -s \\\n%2 && ret=0 ;;\n"_L1.arg(command.name, taken);
    }
    QString script = uR"sh(#compdef jlex
# zsh completion for jlex; made by jlex_docgen from the command line's own
# commands and options.

# The ids `jlex history` lists, passing on the --ime given; nothing while
# jlex has no such command.
_jlex_history_ids() {
  local -a pass ids
  local ime=${opt_args[--ime]:-$_jlex_ime}
  [[ -n $ime ]] && pass=(--ime $ime)
  ids=(${(f)"$(jlex $pass history 2>/dev/null | cut -f1)"})
  _wanted history-ids expl 'history id' compadd -a ids
}

_jlex() {
  local curcontext=$curcontext state state_descr line _jlex_ime ret=1
  local -A opt_args
  _arguments -C -s \
@OPTIONS@    '1:command:->command' \
    '*::argument:->argument' && ret=0
  _jlex_ime=${opt_args[--ime]}
  case $state in
  command)
    local -a commands=(
@COMMANDS@    )
    _describe -t commands 'jlex command' commands && ret=0
    ;;
  argument)
    curcontext=${curcontext%:*:*}:jlex-$words[1]:
    case $words[1] in
@ARMS@      history) _arguments '1:subcommand:(show)' '2:history id:_jlex_history_ids' && ret=0 ;;
    esac
    ;;
  esac
  return ret
}

_jlex "$@"
)sh"_s;
    return script.replace("@OPTIONS@"_L1, zshOptionLines(nullptr, "    "_L1))
        .replace("@COMMANDS@"_L1, list)
        .replace("@ARMS@"_L1, arms);
}

QString fishQuoted(QString text)
{
    return u'\'' + text.replace(u'\\', "\\\\"_L1).replace(u'\'', "\\'"_L1) + u'\'';
}

QString fishCompletion()
{
    QString lines;
    for (const Command& command : commands())
        lines += "complete -c jlex -n 'not __jlex_command' -a %1 -d %2\n"_L1.arg(
            command.name, fishQuoted(hint(command.description)));
    for (const Option& option : options()) {
        const QString& name = option.names.constLast();
        QStringList takers;
        for (const Command& command : commands()) {
            if (command.options.contains(name))
                takers << command.name;
        }
        QString line = "complete -c jlex"_L1;
        if (name != "ime"_L1)
            line +=
                takers.isEmpty()
                    ? " -n 'not __jlex_command'"_L1
                    : " -n 'not __jlex_command; or __jlex_command_is %1'"_L1.arg(takers.join(u' '));
        for (const QString& each : option.names)
            line += (each.size() == 1 ? " -s "_L1 : " -l "_L1) + each;
        switch (valueOf(option)) {
        case Value::None:
            break;
        case Value::Choices:
            line += " -x -a "_L1 + fishQuoted(QString(option.valueName).replace(u'|', u' '));
            break;
        case Value::Tables:
            line += " -x -a '(__jlex_tables)'"_L1;
            break;
        case Value::HistoryIds:
            line += " -x -a '(__jlex_history_ids)'"_L1;
            break;
        case Value::Directory:
            line += " -x -a '(__fish_complete_directories)'"_L1;
            break;
        case Value::File:
            line += " -r -F"_L1;
            break;
        }
        lines += line + " -d "_L1 + fishQuoted(hint(option.description)) + u'\n';
    }
    QString script =
        uR"sh(# fish completion for jlex; made by jlex_docgen from the command line's own
# commands and options.

# The command given so far: the first word that is no option and no option's value.
function __jlex_command
    set -l words (commandline -opc)
    set -e words[1]
    while set -q words[1]
        switch $words[1]
            case @VALUE_OPTIONS@
                set -e words[1]
            case '-*'
            case '*'
                echo $words[1]
                return 0
        end
        set -e words[1]
    end
    return 1
end

function __jlex_command_is
    contains -- (__jlex_command) $argv
end

# The --ime given so far, to pass on.
function __jlex_ime
    set -l words (commandline -opc)
    for i in (seq 2 (count $words))
        switch $words[$i]
            case --ime
                set -q words[(math $i + 1)]; and printf '%s\n' --ime $words[(math $i + 1)]
            case '--ime=*'
                echo $words[$i]
        end
    end
end

# The ids `jlex history` lists; nothing while jlex has no such command.
function __jlex_history_ids
    jlex (__jlex_ime) history 2>/dev/null | string split -f1 \t
end

# A comma list of tables: the names it may go on with.
function __jlex_tables
    set -l typed (commandline -ct | string replace -r '^--[^=]*=' '' | string replace -r '[^,]*$' '')
    for name in @TABLES@
        echo "$typed$name"
    end
end

complete -c jlex -f
@LINES@complete -c jlex -n '__jlex_command_is history; and not __fish_seen_subcommand_from show' -a show
complete -c jlex -n '__jlex_command_is history; and __fish_seen_subcommand_from show' -a '(__jlex_history_ids)'
)sh"_s;
    return script.replace("@VALUE_OPTIONS@"_L1, valueOptionPattern(" "_L1))
        .replace("@TABLES@"_L1, tableNames())
        .replace("@LINES@"_L1, lines);
}

bool write(const QString& path, const QString& text)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(text.toUtf8()) >= 0 && file.commit())
        return true;
    std::fprintf(stderr, "jlex_docgen: cannot write %s: %s\n", qPrintable(path),
                 qPrintable(file.errorString()));
    return false;
}

} // namespace

namespace {

// A menu entry for each registered window program; every one is the same kind
// of program.
QString desktopEntry(const jlex::TargetRegistration& target)
{
    const jlex::DesktopEntry& d = target.desktop;
    return u"[Desktop Entry]\nType=Application\nName="_s + d.name + u"\nName[en]="_s + d.nameEn +
           u"\nGenericName=日语词条安装\nGenericName[en]=Japanese phrase installer"_s +
           u"\nComment="_s + d.comment + u"\nComment[en]="_s + d.commentEn + u"\nKeywords="_s +
           d.keywords + u"\nExec="_s + target.program +
           u"\nIcon=jlex\nTerminal=false\nCategories=Utility;\nStartupNotify=true\n"_s;
}

// The windows' page, its program lines filled in from the registrations.
QString windowsText(QString text)
{
    QStringList usage;
    QString items, options;
    for (const jlex::TargetRegistration& target : jlex::targetRegistrations()) {
        QString synopsis = target.program;
        for (const jlex::TargetOption& option : target.options) {
            synopsis += u" [--"_s + option.name + u' ' + option.valueName + u']';
            options += u"  --"_s + option.name + u' ' + option.valueName + u"\n      "_s +
                       target.program + u"：与 jlex 的同名选项相同，"_s +
                       option.description.section(u'：', 1).replace(u'\n', QString()) + u'\n';
        }
        usage << synopsis + u" [Qt 选项]"_s;
        items += u"  "_s + target.program + u"\n      "_s + target.desktop.comment + u'\n';
    }
    return text.replace(u"@JLEX_WINDOW_USAGE@"_s, usage.join(u"\n      "_s))
        .replace(u"@JLEX_WINDOW_ITEMS@"_s, items)
        .replace(u"@JLEX_WINDOW_OPTIONS@"_s, options);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const QString kind = args.value(1);
    if (args.size() == 3 && kind == "bash"_L1)
        return write(args[2], bashCompletion()) ? 0 : 1;
    if (args.size() == 3 && kind == "zsh"_L1)
        return write(args[2], zshCompletion()) ? 0 : 1;
    if (args.size() == 3 && kind == "fish"_L1)
        return write(args[2], fishCompletion()) ? 0 : 1;
    if (args.size() == 3 && kind == "desktop"_L1) {
        for (const jlex::TargetRegistration& target : jlex::targetRegistrations()) {
            if (!write(args[2] + u'/' + target.program + u".desktop"_s, desktopEntry(target)))
                return 1;
        }
        return 0;
    }
    if (kind == "man"_L1 && (args.size() == 8 || args.size() == 9)) {
        QString text = helpText();
        if (args.size() == 9) {
            QFile file(args[8]);
            if (!file.open(QIODevice::ReadOnly)) {
                std::fprintf(stderr, "jlex_docgen: cannot read %s\n", qPrintable(args[8]));
                return 1;
            }
            text = windowsText(QString::fromUtf8(file.readAll()));
        }
        const Page page{args[3].split(u','), args[4], args[5], args[6],
                        args[7].split(u',', Qt::SkipEmptyParts)};
        return write(args[2], manPage(text, page)) ? 0 : 1;
    }
    std::fprintf(stderr, "usage: jlex_docgen man OUT NAMES SUMMARY DATE SOURCE SEE_ALSO [TEXT]\n"
                         "       jlex_docgen bash|zsh|fish OUT\n"
                         "       jlex_docgen desktop DIR\n");
    return 2;
}
