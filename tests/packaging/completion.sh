#!/usr/bin/env bash
# The package's completion for one shell, as that shell loads it from where
# the package puts it: commands and --ime values as `jlex --help` documents
# them, --tables lists, an option's value not taken for the command, and
# history ids, asked of a stand-in jlex, with the user's --ime passed on.
#   completion.sh bash|zsh|fish PACKAGE_ROOT JLEX
set -uo pipefail
shell=$1 root=$(realpath "$2") jlex=$(realpath "$3")
here=$(dirname "$(realpath "$0")")
command -v "$shell" >/dev/null || { echo "SKIP: $shell is not installed"; exit 77; }

help=$("$jlex" --help)
commands=$(sed -n '/^命令：/,/^$/s/^  \([a-z][a-z-]*\).*/\1/p' <<<"$help" | sort | paste -sd' ')
imes=$(sed -n 's/^  --ime \([^ ]*\)$/\1/p' <<<"$help" | tr '|' '\n' | sort | paste -sd' ')

# Each run finds either the real jlex or the stand-in first on PATH, and a
# home of nothing, so no real history can show.
bin=$(mktemp -d)
trap 'rm -rf "$bin"' EXIT
mkdir "$bin/real" "$bin/fake"
ln -s "$jlex" "$bin/real/jlex"
ln -s "$here/fake-jlex" "$bin/fake/jlex"
export HOME=$bin XDG_DATA_HOME=$bin/data WINEPREFIX=$bin/wine USERNAME=nobody LC_ALL=C.UTF-8

# typed | offered, sorted | which jlex
rows=(
    "jlex |$commands|real"
    "jlex in|install|real"
    "jlex --ime |$imes|real"
    "jlex --ime=kavro-p|kavro-public|real"
    "jlex export --tables greeting,ka|greeting,kana greeting,kanji|real"
    "jlex --ime fcitx5 restore --l|--latest|real"
    "jlex --ime fcitx5 install --l||real"
    "jlex --ime=kavro-login history show |id:--ime=kavro-login,history|fake"
    "jlex history show |id:history|fake"
    "jlex history show ||real"
)
# restore --from once jlex has it
if grep -q -- '--from' <<<"$help"; then
    rows+=("jlex --ime kavro-public restore --from |id:--ime,kavro-public,history|fake")
fi

# What the shell offers for the typed line, sorted, on one line.
offered_bash() {
    COMP_LINE=$1
    COMP_POINT=${#COMP_LINE}
    local line=${COMP_LINE//=/ = } # readline ends a word at '=' too
    read -ra COMP_WORDS <<<"$line"
    [[ $line == *' ' ]] && COMP_WORDS+=('')
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    _jlex jlex "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}"
    printf '%s\n' "${COMPREPLY[@]}" | sort | paste -sd' '
}
# fish offers the whole word, an option with its value: only the value counts.
offered_fish() {
    fish --no-config -c 'source $argv[1]; complete --do-complete $argv[2]' \
        "$root/usr/share/fish/vendor_completions.d/jlex.fish" "$1" | cut -f1 | sed 's/^--[a-z-]*=//' | sort | paste -sd' '
}

failures=0
case $shell in
bash)
    [ -f /usr/share/bash-completion/bash_completion ] || { echo "SKIP: bash-completion is not installed"; exit 77; }
    source /usr/share/bash-completion/bash_completion
    # bash-completion finds it on first use, as in a user's shell.
    XDG_DATA_DIRS=$root/usr/share __load_completion jlex
    if [ "$(complete -p jlex 2>&1)" != "complete -F _jlex jlex" ]; then
        echo "bash-completion does not load jlex's completion from $root"
        exit 1
    fi
    compopt() { :; } # only works inside a real completion
    ;;
zsh)
    # zsh has no way to ask for completions outside its line editor: the file
    # must parse and compinit must take it for jlex from where it lies.
    dir=$root/usr/share/zsh/vendor-completions
    zsh -n "$dir/_jlex" || exit 1
    found=$(zsh -f -c "fpath=($dir \$fpath); autoload -U compinit; compinit -u -D; print -r -- \${_comps[jlex]}")
    [ "$found" = _jlex ] || { echo "compinit does not take _jlex for jlex: '$found'"; exit 1; }
    echo "zsh: _jlex parses and compinit takes it"
    exit 0
    ;;
esac
for row in "${rows[@]}"; do
    IFS='|' read -r typed expected which <<<"$row"
    errors=$(mktemp)
    got=$(PATH=$bin/$which:$PATH "offered_$shell" "$typed" 2>"$errors")
    if [ "$got" != "$expected" ] || [ -s "$errors" ]; then
        echo "'$typed' ($which jlex): offered '$got', expected '$expected' $(cat "$errors")"
        failures=$((failures + 1))
    fi
    rm -f "$errors"
done
echo "$shell: ${#rows[@]} lines, $failures wrong"
[ "$failures" -eq 0 ]
