#!/usr/bin/env bash
# Prints one deb-src line for each Debian archive, suite and component the
# machine takes packages from, read from apt's sources in either format
# (sources.list and *.list one-line entries, *.sources deb822 stanzas).
# Disabled entries and archives other than Debian's are left out.
# Usage: scripts/debian_source_lines.sh [APT_DIR]   (default /etc/apt)
set -euo pipefail
apt_dir=${1:-/etc/apt}
shopt -s nullglob
one_line=("$apt_dir"/sources.list "$apt_dir"/sources.list.d/*.list)
deb822=("$apt_dir"/sources.list.d/*.sources)

# An archive is Debian's when "debian" names its host or a folder of its path
# (deb.debian.org/debian, security.debian.org/debian-security, a mirror's
# /debian/); Debian's components tell it from other vendors' Debian folders.
read -r -d '' keep_debian <<'AWK' || true
function debian_components(uri, components,    names, n, i, kept) {
  if (uri !~ /^[a-z+]+:\/\/([^\/]*[.])?debian([-.\/]|$)/ && uri !~ /\/debian([-\/]|$)/) return ""
  n = split(components, names, " ")
  for (i = 1; i <= n; i++)
    if (names[i] ~ /^(main|contrib|non-free|non-free-firmware)$/) kept = kept " " names[i]
  return substr(kept, 2)
}
function emit(options, uri, suite, components,    kept) {
  kept = debian_components(uri, components)
  if (kept != "") print "deb-src " options uri " " suite " " kept
}
AWK

{
  # One-line entries: "deb [options] uri suite component...", "#" starts a comment.
  for file in "${one_line[@]}"; do [[ -f $file ]] && cat "$file" && echo; done | awk "$keep_debian"'
    {
      sub(/#.*/, "")
      if ($1 != "deb") next
      options = ""
      if ($2 ~ /^\[/) {
        match($0, /\[[^]]*\]/)
        options = substr($0, RSTART, RLENGTH) " "
        $0 = "deb " substr($0, RSTART + RLENGTH)
      }
      components = ""
      for (i = 4; i <= NF; i++) components = components " " $i
      emit(options, $2, $3, substr(components, 2))
    }'
  # deb822 stanzas, separated by blank lines; "#" lines are comments anywhere,
  # a line starting with a space continues the field before it.
  for file in "${deb822[@]}"; do cat "$file" && printf '\n\n'; done | awk -v RS= "$keep_debian"'
    {
      delete field
      name = ""
      n = split($0, lines, "\n")
      for (i = 1; i <= n; i++) {
        if (lines[i] ~ /^#/) continue
        if (lines[i] ~ /^[ \t]/) { if (name != "") field[name] = field[name] "\n" lines[i]; continue }
        if (!match(lines[i], /^[A-Za-z0-9-]+:/)) continue
        name = tolower(substr(lines[i], 1, RLENGTH - 1))
        field[name] = substr(lines[i], RLENGTH + 1)
        gsub(/^[ \t]+|[ \t]+$/, "", field[name])
      }
      if (field["types"] !~ /(^|[ \t])deb([ \t]|$)/ || tolower(field["enabled"]) ~ /^(no|false)$/) next
      # A key file is kept; a key written into the stanza itself cannot go on
      # one line, and apt then checks with the keys it trusts anyway.
      signed_by = field["signed-by"]
      options = signed_by != "" && signed_by !~ /\n/ ? "[signed-by=" signed_by "] " : ""
      gsub(/[ \t\n]+/, " ", field["uris"]); gsub(/[ \t\n]+/, " ", field["suites"])
      gsub(/[ \t\n]+/, " ", field["components"])
      nu = split(field["uris"], uris, " "); ns = split(field["suites"], suites, " ")
      for (u = 1; u <= nu; u++) for (s = 1; s <= ns; s++) emit(options, uris[u], suites[s], field["components"])
    }'
} | awk '!seen[$0]++' | grep . || {
  echo "debian_source_lines.sh: no enabled Debian archive in $apt_dir/sources.list, $apt_dir/sources.list.d/*.list or *.sources" >&2
  exit 1
}
