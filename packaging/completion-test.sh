#!/usr/bin/env bash
# Checks what the mnm completion offers, with plain bash and, when installed,
# with bash-completion's helpers. Usage: completion-test.sh COMPLETION-FILE
set -uo pipefail
completion=$(realpath "$1")
helpers=/usr/share/bash-completion/bash_completion
failures=0

# Runs the completion for LINE (completed at its end) in MODE, in a fresh
# shell, and prints the offered words sorted, one a line.
complete_line() { # mode line
    bash --norc --noprofile -c '
        mode=$1 line=$2 completion=$3 helpers=$4
        [ "$mode" = helpers ] && . "$helpers"
        . "$completion"
        # The words as readline splits them: ":" is a word of its own.
        read -ra COMP_WORDS <<<"${line//:/ : }"
        [[ $line == *" " ]] && COMP_WORDS+=("")
        COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
        COMP_LINE=$line COMP_POINT=${#line}
        _mnm
        printf "%s\n" "${COMPREPLY[@]}" | sort -u | sed "/^$/d"
    ' _ "$1" "$2" "$completion" "$helpers"
}

words() { printf '%s\n' "$@" | sort -u | sed '/^$/d' | tr '\n' ' '; }

compare() { # mode line got wanted
    if [ "$3" != "$4" ]; then
        echo "FAIL [$1] '$2': offered '$3', expected '$4'"
        failures=$((failures + 1))
    fi
}

expect() { # mode line expected-words...
    local mode=$1 line=$2; shift 2
    compare "$mode" "$line" "$(complete_line "$mode" "$line" | tr '\n' ' ')" "$(words "$@")"
}

# Pseudo-terminals come and go while other tests run: the completion is
# compared with the ones there before and after it, taken again when those
# differ.
pseudo_terminals() { local t; for t in /dev/pts/[0-9]*; do [[ -c $t ]] && echo "$t"; done; }
expect_pseudo_terminals() { # mode line
    local before after got attempt
    for attempt in 1 2 3 4 5; do
        before=$(words $(pseudo_terminals))
        got=$(complete_line "$1" "$2" | tr '\n' ' ')
        after=$(words $(pseudo_terminals))
        [ "$before" = "$after" ] && break
    done
    compare "$1" "$2" "$got" "$before"
}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
mkdir site
touch a.mnc b.json table.csv notes.txt
terminals=()
for t in /dev/tty*; do [[ -c $t ]] && terminals+=("$t"); done

modes=(plain)
[ -f "$helpers" ] && modes+=(helpers)
for mode in "${modes[@]}"; do
    # Commands, the tool's own options, and help's argument.
    expect "$mode" "mnm " dump verify build receive send info diff check-network provision node-sim help
    expect "$mode" "mnm -" --help --version
    expect "$mode" "mnm help se" send
    expect "$mode" "mnm help send " # help takes one command
    expect "$mode" "mnm help -" --help
    expect "$mode" "mnm help --help ch" check-network

    # Each command's options.
    expect "$mode" "mnm dump -" --json --help
    expect "$mode" "mnm send -" --port --no-commit --backup-dir --verify --help
    expect "$mode" "mnm info -" --port --json --help
    expect "$mode" "mnm provision -" --template --table --port --backup-dir --help
    expect "$mode" "mnm diff -" --json --help
    expect "$mode" "mnm check-network -" --help
    expect "$mode" "mnm node-sim -" --config --version --link --pace --help
    expect "$mode" "mnm node-sim --version " # free text: nothing offered

    # Files by their kind, folders where a file may be further down.
    expect "$mode" "mnm dump " a.mnc site
    expect "$mode" "mnm verify a.mnc " a.mnc site
    expect "$mode" "mnm build " b.json site
    expect "$mode" "mnm build b.json -o " a.mnc site
    expect "$mode" "mnm provision --table " table.csv site
    expect "$mode" "mnm send --backup-dir " site
    expect "$mode" "mnm provision --table table.csv --backup-dir " site
    expect "$mode" "mnm check-network site " a.mnc site

    # No more arguments than a command takes; option values are no argument.
    expect "$mode" "mnm dump a.mnc "
    expect "$mode" "mnm dump a.mnc -" --json --help
    expect "$mode" "mnm build b.json "
    expect "$mode" "mnm send --port /dev/tty0 --backup-dir site " a.mnc site
    expect "$mode" "mnm send --port /dev/tty0 a.mnc "
    expect "$mode" "mnm diff --json a.mnc " a.mnc site
    expect "$mode" "mnm diff a.mnc node:/dev/tty0 "
    expect "$mode" "mnm node-sim --link n" notes.txt

    # Devices: the terminals, also after diff's "node:" (readline keeps
    # what precedes the colon).
    expect "$mode" "mnm receive --port /dev/tty" "${terminals[@]}"
    expect "$mode" "mnm provision --port /dev/tty0 --port /dev/tty" "${terminals[@]}"
    expect_pseudo_terminals "$mode" "mnm info --json --port /dev/pts/"
    expect "$mode" "mnm diff a.mnc node:/dev/tty" "${terminals[@]}"
    expect "$mode" "mnm diff no" node:
done

if [ "$failures" -gt 0 ]; then
    echo "$failures completion check(s) failed"
    exit 1
fi
echo "Completion checks passed (${modes[*]})."
