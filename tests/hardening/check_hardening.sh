#!/usr/bin/env bash
# Checks a built program for the release hardening: PIE, full RELRO, stack protector, fortified
# libc calls, stack clash protection and, on x86-64, control-flow protection; with Debian's
# hardening-check as well where it is installed. Usage: check_hardening.sh BINARY CONFIG
# COMPILER. Other configs than Release and RelWithDebInfo are not hardened on purpose: exit 77,
# which ctest reports as skipped.
set -euo pipefail
binary=$1
config=$2
compiler=$3
case "$config" in
Release | RelWithDebInfo) ;;
*)
    echo "not a release build ($config): nothing to check"
    exit 77
    ;;
esac

failures=0
check() {
    local what=$1
    shift
    if "$@"; then
        echo "ok: $what"
    else
        echo "MISSING: $what"
        failures=$((failures + 1))
    fi
}

header=$(readelf -h -W "$binary")
dynamic=$(readelf -d -W "$binary")
segments=$(readelf -l -W "$binary")
symbols=$(readelf --dyn-syms -W "$binary")
notes=$(readelf -n -W "$binary")
code=$(objdump -d --no-show-raw-insn "$binary")

check "position-independent executable (type DYN)" grep -Eq 'Type:[[:space:]]+DYN' <<<"$header"
check "PIE flag in FLAGS_1" grep -Eq 'FLAGS_1.*[[:space:]]PIE' <<<"$dynamic"
check "RELRO segment (GNU_RELRO)" grep -q 'GNU_RELRO' <<<"$segments"
check "symbols bound at start-up (BIND_NOW)" \
    grep -Eq '\(BIND_NOW\)|\(FLAGS\).*[[:space:]]BIND_NOW|\(FLAGS_1\).*[[:space:]]NOW' <<<"$dynamic"
check "stack protector (__stack_chk_fail)" grep -q '__stack_chk_fail' <<<"$symbols"
check "fortified libc calls (*_chk)" grep -Eq '__[a-z_]+_chk(@|[[:space:]]|$)' <<<"$symbols"

# Stack clash protection shows only in functions whose frame is larger than a page: they probe
# each page as they grow the stack. With no such frame there is nothing to see, and nothing to
# protect.
large_frames=$(grep -Eic 'sub[[:space:]]+\$0x[0-9a-f]{4,},%rsp' <<<"$code" || true)

# Control-flow protection: every function of the program's own starts with endbr64. The
# IBT/SHSTK property that marks the whole program is set by the linker only when every object
# linked in has it, the C library's start files (crti.o) included.
starts_with_endbr64() { grep -A1 -E "<$1>:\$" <<<"$code" | grep -q endbr64; }
x86_64=false
grep -q 'X86-64' <<<"$header" && x86_64=true
start_files_marked=true
if $x86_64; then
    check "control-flow protection (endbr64 at main)" starts_with_endbr64 main
    crti=$("$compiler" -print-file-name=crti.o)
    readelf -n -W "$crti" | grep -q 'IBT, SHSTK' || start_files_marked=false
    if $start_files_marked; then
        check "program marked for IBT and SHSTK" grep -q 'x86 feature: IBT, SHSTK' <<<"$notes"
    else
        echo "note: $crti is not built for IBT and SHSTK, so no program linked with it is marked"
    fi
fi

# Debian's own check, where devscripts (or hardening-check on newer systems) is installed:
# every line must say yes, with the two exceptions worked out above.
if command -v hardening-check >/dev/null; then
    report=$(hardening-check "$binary" 2>&1 || true)
    echo "$report"
    while IFS= read -r line; do
        case "$line" in
        *": yes"*) ;;
        *"Stack clash protection: unknown"*)
            check "no stack frame larger than a page ($large_frames found)" test "$large_frames" -eq 0
            ;;
        *"Control flow integrity: no"*)
            check "control flow integrity: no only for unmarked start files" \
                test "$start_files_marked" = false
            ;;
        "$binary:") ;;
        *) check "hardening-check: $line" false ;;
        esac
    done <<<"$report"
else
    echo "hardening-check is not installed: skipped"
fi

if [ "$failures" -ne 0 ]; then
    echo "$binary lacks $failures of the hardening checks"
    exit 1
fi
