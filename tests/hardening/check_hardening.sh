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

# Control-flow protection, each architecture its own: on x86-64 CET (IBT and SHSTK, every
# function starts with endbr64), on AArch64 BTI and PAC. The property that marks the whole
# program is set by the linker only when every object linked in has it, the C library's start
# files (crti.o) included, so where those lack it no program can have it.
cfi_line=
if grep -q 'X86-64' <<<"$header"; then
    cfi_line="Control flow integrity" other_line="Branch Protection"
    feature="x86 feature: IBT, SHSTK" entry="endbr64"
elif grep -q 'AArch64' <<<"$header"; then
    cfi_line="Branch Protection" other_line="Control flow integrity"
    feature="AArch64 feature: BTI, PAC" entry="bti|paciasp"
fi
start_files_marked=true
if [ -n "$cfi_line" ]; then
    first_instruction_of_main() { grep -A1 -E '<main>:$' <<<"$code" | tail -n 1; }
    check "control-flow protection ($entry at main)" grep -Eq "$entry" <(first_instruction_of_main)
    crti=$("$compiler" -print-file-name=crti.o)
    readelf -n -W "$crti" | grep -q "$feature" || start_files_marked=false
    if $start_files_marked; then
        check "program marked ($feature)" grep -q "$feature" <<<"$notes"
    else
        echo "note: $crti lacks the $feature mark, so no program linked with it is marked"
    fi
fi

# Debian's own check, where devscripts (or hardening-check on newer systems) is installed:
# every line must say yes, with the exceptions worked out above. Newer versions also report
# the other architecture's control-flow protection, which does not apply here.
if command -v hardening-check >/dev/null; then
    report=$(hardening-check "$binary" 2>&1 || true)
    echo "$report"
    while IFS= read -r line; do
        case "$line" in
        *": yes"* | "$binary:") ;;
        *"Stack clash protection: unknown"*)
            check "no stack frame larger than a page ($large_frames found)" test "$large_frames" -eq 0
            ;;
        *"${cfi_line:-none}: no"*)
            check "$cfi_line: no only where the start files lack the mark" \
                test "$start_files_marked" = false
            ;;
        *"${other_line:-none}: no"*) echo "note: $other_line is of another architecture" ;;
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
