# shellcheck shell=bash
# Debian's own source packages through a private sources list and private apt state under
# $apt_dir, so that the system's apt configuration stays untouched. Sourced by the scripts that
# fetch sources; they set apt_dir and define log and die before sourcing it.
: "${apt_dir:?set by the script that sources this file}"

# The deb-src form of the system's own Debian archives, for this release, its updates and its
# security archive only (no backports, no other vendor's suites), from the deb822 sources files
# and one-line lists alike.
write_source_list() {
  local codename
  codename=$(. /etc/os-release && echo "$VERSION_CODENAME")
  mkdir -p "$apt_dir/sources.list.d" "$apt_dir/state/lists/partial" "$apt_dir/cache/archives/partial"
  {
    local f
    for f in /etc/apt/sources.list.d/*.sources; do
      [ -e "$f" ] || continue
      awk -v c="$codename" '
        function flush() { if (para != "" && keep > 0) print para "\n"; para = ""; keep = 0 }
        function add(line) { para = para (para == "" ? "" : "\n") line }
        /^[[:space:]]*$/ { flush(); next }
        /^#/ { next }
        /^Types:/ { if ($0 ~ /[[:space:]]deb([[:space:]]|$)/) keep += 1; add("Types: deb-src"); next }
        /^Suites:/ {
          line = "Suites:"
          for (i = 2; i <= NF; i++)
            if ($i == c || $i == c "-updates" || $i == c "-security") line = line " " $i
          if (line == "Suites:") keep = -1000
          add(line); next
        }
        /^Enabled:[[:space:]]*no/ { keep = -1000 }
        { add($0) }
        END { flush() }' "$f"
    done
    for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
      [ -e "$f" ] || continue
      awk -v c="$codename" '$1 == "deb" {
          for (i = 2; i <= NF && $i ~ /^\[/; i++) while ($i !~ /\]$/) i++
          suite = $(i + 1)
          if (suite == c || suite == c "-updates" || suite == c "-security") { $1 = "deb-src"; print }
        }' "$f"
    done
  } >"$apt_dir/sources.list.d/debian-src.sources.new"
  # apt tells the two formats apart by the file name.
  if grep -q '^Types:' "$apt_dir/sources.list.d/debian-src.sources.new"; then
    mv "$apt_dir/sources.list.d/debian-src.sources.new" "$apt_dir/sources.list.d/debian-src.sources"
  else
    mv "$apt_dir/sources.list.d/debian-src.sources.new" "$apt_dir/sources.list.d/debian-src.list"
  fi
  [ -s "$apt_dir/sources.list.d/debian-src.sources" ] || [ -s "$apt_dir/sources.list.d/debian-src.list" ] ||
    die "no Debian $codename archive found in /etc/apt"
}

apt_opts=(
  -o "Dir::Etc::SourceList=/dev/null" -o "Dir::Etc::SourceParts=$apt_dir/sources.list.d"
  -o "Dir::State=$apt_dir/state" -o "Dir::Cache=$apt_dir/cache"
  -o "Dir::State::status=/var/lib/dpkg/status"
)
# As root, apt would hand downloads to its own user, who may not reach the build folder.
if [ "$(id -u)" -eq 0 ]; then
  apt_opts+=(-o "APT::Sandbox::User=root")
fi

# The private index, brought up to date; an existing one serves when the archive is unreachable.
update_index() {
  write_source_list
  if ! apt-get "${apt_opts[@]}" -qq update >"$apt_dir/update.log" 2>&1; then
    if ls "$apt_dir/state/lists/"*Sources* >/dev/null 2>&1; then
      log "$(basename "$0"): the archive cannot be reached; using the source index from before"
    else
      cat "$apt_dir/update.log" >&2
      die "cannot fetch the Debian source index"
    fi
  fi
}

# The versions of source package $1 in the index, newest first.
source_versions() {
  apt-cache "${apt_opts[@]}" showsrc --only-source "$1" 2>/dev/null |
    awk '/^Version:/ { print $2 }' | sort -u | sort_debian_versions
}

sort_debian_versions() {
  local sorted=() v i
  while read -r v; do
    i=${#sorted[@]}
    while [ "$i" -gt 0 ] && dpkg --compare-versions "$v" gt "${sorted[i - 1]}"; do
      sorted[i]=${sorted[i - 1]}
      i=$((i - 1))
    done
    sorted[i]=$v
  done
  [ ${#sorted[@]} -eq 0 ] || printf '%s\n' "${sorted[@]}"
}
