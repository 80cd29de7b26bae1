#!/usr/bin/env bash
# Reliability gates, run by CI before the ordinary tests: formatting, the whole test suite under
# AddressSanitizer and UBSan (build-asan), clang-tidy and cppcheck, a short fuzz run, and the
# program under valgrind and in a one-minute soak (build-gates). Ends with each gate's time.
# Usage: scripts/gates.sh [gate...]; gates: format asan tidy cppcheck fuzz long (default: all).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/setup.sh
ensure_packages "${BUILD_PACKAGES[@]}" "${TEST_PACKAGES[@]}" "${GATE_PACKAGES[@]}"

werror=OFF
[ "${CI:-}" = true ] && werror=ON

# The tree as git knows it, so that build folders and files not yet added are left out.
sources() { git ls-files '*.cpp' '*.h'; }

gate_format() {
    sources | xargs clang-format --dry-run -Werror
}

configure_asan() {
    cmake --preset asan -DORVENA_WARNINGS_AS_ERRORS="$werror" >/dev/null
}

# Every test, the real program included, built with -fsanitize=address,undefined; the test
# preset hands ASAN_OPTIONS, UBSAN_OPTIONS and LSAN_OPTIONS to the tests and their children.
gate_asan() {
    configure_asan
    cmake --build --preset asan
    ctest --preset asan
}

# Runs a command with its output in a file, then shows the lines that do not match the pattern.
quietly() {
    local noise=$1
    shift
    local log status=0
    log=$(mktemp)
    "$@" >"$log" 2>&1 || status=$?
    grep -vE "$noise" "$log" || true
    rm -f "$log"
    return "$status"
}

# Over src/ and tests/ with the compile commands of build-asan (clang's own flags).
gate_tidy() {
    configure_asan
    quietly '^clang-tidy|^[0-9]+ warnings? generated\.$|^Suppressed [0-9]+ warnings|^Use -header-filter' \
        run-clang-tidy -quiet -p build-asan -j 2 "$PWD/(src|tests)/"
}

# useStlAlgorithm only suggests a std:: algorithm for any plain loop. In tests/, shadowFunction
# and unusedStructMember misread GoogleTest's parameter tables and fixtures' locals.
gate_cppcheck() {
    configure_asan
    cppcheck --project=build-asan/compile_commands.json --quiet -j 2 --error-exitcode=1 \
        --enable=warning,style,performance,portability --inline-suppr \
        --library=googletest --library=opengl --library=posix \
        --suppress=missingIncludeSystem --suppress=useStlAlgorithm \
        --suppress='shadowFunction:tests/*' --suppress='unusedStructMember:tests/*' \
        --suppress='noExplicitConstructor:tests/*'
}

# The fuzz target finds nothing the property tests miss (a few dozen branches, all reached
# in seconds); a short run keeps it building and working.
gate_fuzz() {
    [ -x build-asan/tests/key_fuzzer ] || gate_asan
    local corpus status=0
    corpus=$(mktemp -d)
    quietly '^(INFO|#|MS:|Recommended|.* # Uses|###|[[:space:]]|$)' \
        build-asan/tests/key_fuzzer -max_total_time=5 -print_final_stats=1 "$corpus" || status=$?
    rm -rf "$corpus"
    return "$status"
}

# The 60-second soak and the valgrind run, side by side, in a RelWithDebInfo build of just
# the program and those two tests: the rest of the tree is built and run by the other gates.
gate_long() {
    cmake --preset gates -DORVENA_WARNINGS_AS_ERRORS="$werror" >/dev/null
    cmake --build --preset gates --target orvena soak_tests valgrind_tests
    ctest --preset gates
}

gates=("$@")
[ ${#gates[@]} -eq 0 ] && gates=(format asan tidy cppcheck fuzz long)
timings=()
for gate in "${gates[@]}"; do
    echo "=== gate: $gate"
    start=$SECONDS
    "gate_$gate"
    timings+=("$(printf '%-9s %4d s' "$gate" $((SECONDS - start)))")
done
echo "=== gate timings"
printf '%s\n' "${timings[@]}"
