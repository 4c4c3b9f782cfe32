#!/usr/bin/env bash
# Builds the portable zip, the per-user installer and their checksums: build-dist.sh VERSION OUT_DIR BIN_DIR.
set -euo pipefail
version=$1 out=$2 bin=$3
here=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$here")
mkdir -p "$out"
out=$(cd "$out" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
stage=$work/Hueberry
mkdir "$stage"
zip=hueberry-$version-win64.zip
msi=hueberry-$version-x64.msi

# A GUID that one name always gives (SHA-1 of the name, laid out as a name-based GUID).
guid() {
    local h
    h=$(printf 'hueberry %s' "$1" | sha1sum)
    printf '%s-%s-5%s-%x%s-%s' "${h:0:8}" "${h:8:4}" "${h:13:3}" $(((0x${h:16:1} & 3) | 8)) "${h:17:3}" \
        "${h:20:12}" | tr a-f A-F
}

# Texts for Windows get CRLF line ends and the version.
crlf() { sed -e 's/\r*$/\r/' -e "s/@VERSION@/$version/g" "$1" >"$2"; }

cp "$root"/data/*.col "$root/data/hueberry.mid" "$stage/"
crlf "$here/README.txt" "$stage/README.txt"
crlf "$root/LICENSE" "$stage/LICENSE.txt"

# Each program: its file in both packages, and in the installer a component with its Start-menu
# shortcut and the shortcut's icon. The first program's icon is also the installed-apps icon.
components="" refs="" icons="" product_icon=""
while IFS='|' read -r file name icon; do
    [[ -z $file || $file == \#* ]] && continue
    # Only the program file is shipped: it must be 64-bit and need no MinGW runtime library.
    dump=$(x86_64-w64-mingw32-objdump -p "$bin/$file")
    grep -q 'file format pei-x86-64' <<<"$dump" && ! grep -qiE 'DLL Name: *(libstdc|libgcc|libwinpthread)' <<<"$dump" ||
        { echo "build-dist.sh: $file is not a self-contained 64-bit Windows program" >&2; exit 1; }
    cp "$bin/$file" "$stage/"
    id=${file%.exe}
    icon_id=$(basename "$icon")
    cp "$root/$icon" "$work/$icon_id"
    product_icon=${product_icon:-$icon_id}
    components+="
    <Component Id=\"Program_$id\" Guid=\"$(guid "component $file")\">
      <File Id=\"$file\" Name=\"$file\" Source=\"Hueberry/$file\" KeyPath=\"yes\"/>
      <Shortcut Id=\"Shortcut_$id\" Target=\"[INSTALLDIR]$file\" Directory=\"ProgramMenuFolder\" Name=\"$name\" WorkingDirectory=\"INSTALLDIR\" Icon=\"$icon_id\" IconIndex=\"0\"/>
    </Component>"
    refs+="
    <ComponentRef Id=\"Program_$id\"/>"
    [[ $icons == *"\"$icon_id\""* ]] || icons+="
    <Icon Id=\"$icon_id\" SourceFile=\"$icon_id\"/>"
done <"$here/programs.txt"
cat >"$work/programs.wxi" <<EOF
<Include>
  <Fragment>
  <DirectoryRef Id="INSTALLDIR">$components
  </DirectoryRef>
  <ComponentGroup Id="Programs">$refs
  </ComponentGroup>
  </Fragment>
</Include>
EOF

printf "<Include>%s\n</Include>\n" "$icons" >"$work/icons.wxi"
(cd "$work" && zip -qrX "$zip" Hueberry)

# wixl takes icons only by paths relative to where it runs.
(cd "$work" && wixl -a x64 -I . -D Version="$version" -D ProductCode="$(guid "product $version")" \
    -D ProductIcon="$product_icon" -o "$msi" "$here/hueberry.wxs")

# wixl drops Permanent and NeverOverwrite without a word: set them (0x10 | 0x80) on the page
# components here, then check in the finished table that every page file's component, and no
# other, carries them.
for c in $(msiinfo export "$work/$msi" Component | awk -F'\t' '$1 ~ /^Page/ { print $1 }'); do
    msibuild "$work/$msi" -q "UPDATE \`Component\` SET \`Attributes\` = 144 WHERE \`Component\` = '$c'"
done
pages=$(msiinfo export "$work/$msi" File | awk -F'\t' '$3 ~ /\.col$/ { print $2 }' | sort)
kept=$(msiinfo export "$work/$msi" Component | awk -F'\t' 'NR > 3 && $4 == 144 { print $1 }' | sort)
if [ "$(wc -w <<<"$pages")" != "$(ls "$stage"/*.col | wc -l)" ] || [ "$pages" != "$kept" ]; then
    echo "build-dist.sh: the page components are not marked permanent and never-overwritten" >&2
    exit 1
fi
# A shortcut whose target is a feature is an advertised one, which Windows checks, and may repair from
# the installer file, at every start: every shortcut must name its program's path.
if msiinfo export "$work/$msi" Shortcut | awk -F'\t' 'NR > 3 && $5 !~ /^\[INSTALLDIR\]/' | grep -q .; then
    echo "build-dist.sh: a shortcut is advertised" >&2
    exit 1
fi
mv -f "$work/$zip" "$work/$msi" "$out/"

(cd "$out" && sha256sum "$zip" "$msi" >SHA256SUMS)
ls -l "$out/$zip" "$out/$msi"
