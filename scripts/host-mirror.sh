# The Debian mirror that this machine's apt sources already name, for scripts/in-debian.sh
# (debootstrap) and scripts/windows.sh (freeglut's source package). Meant to be sourced.

# The first source that the host's apt sources (one-line or deb822) give for a release's main
# suite, one without "-" or "/" (bookworm, not bookworm-updates or bookworm-security), as
# "MIRROR SUITE KEYRING", with "-" for a source that names no keyring of its own.
host_source() {
    local files=()
    local f
    for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources; do
        [ -f "$f" ] && files+=("$f")
    done
    [ ${#files[@]} -gt 0 ] || return 0
    awk '
        function main_suite(suites,   n, i, s) {
            n = split(suites, s, /[ \t]+/)
            for (i = 1; i <= n; i++)
                if (s[i] != "" && s[i] !~ /[-\/]/)
                    return s[i]
            return ""
        }
        function end_stanza(   u, k) {
            if (field["types"] ~ /(^|[ \t])deb([ \t]|$)/ && tolower(field["enabled"]) !~ /no/ &&
                field["uris"] ~ /[^ \t]/ && main_suite(field["suites"]) != "") {
                split(field["uris"], u, /[ \t]+/)
                k = field["signed-by"]
                gsub(/^[ \t]+|[ \t]+$/, "", k)
                print (u[1] != "" ? u[1] : u[2]), main_suite(field["suites"]), (k ~ /^\// ? k : "-")
                found = 1
                exit
            }
            split("", field)
        }
        FNR == 1 { end_stanza() }
        FILENAME ~ /\.sources$/ {
            if ($0 ~ /^#/)
                next
            if ($0 ~ /^[ \t]*$/) {
                end_stanza()
                next
            }
            if ($0 ~ /^[ \t]/) {
                field[key] = field[key] " " $0
                next
            }
            key = tolower(substr($0, 1, index($0, ":") - 1))
            field[key] = substr($0, index($0, ":") + 1)
            next
        }
        {
            sub(/#.*/, "")
            k = "-"
            if (match($0, /signed-by=[^] \t]+/))
                k = substr($0, RSTART + 10, RLENGTH - 10)
            gsub(/\[[^]]*\]/, "")
            if ($1 == "deb" && $3 != "" && $3 !~ /[-\/]/) {
                print $2, $3, k
                found = 1
                exit
            }
        }
        END { if (!found) end_stanza() }
    ' "${files[@]}"
}

# The mirror alone.
host_mirror() {
    local mirror _
    read -r mirror _ < <(host_source) || true
    echo "$mirror"
}
