#!/usr/bin/env bash
# Builds the five packages into build/packages: for x64 and x86 a portable
# zip and an installer (Corvane-VERSION-ARCH.zip, Corvane-VERSION-ARCH-setup.exe),
# and for x64 an MSI (Corvane-VERSION-x64.msi), each with the stripped
# program; then writes a winget manifest for the installers beside them and
# lists the packages with their sizes and SHA-256 sums. Installs what it
# needs first. CORVANE_RELEASE_URL is where the manifest says the installers
# are downloaded from (a folder per version).
set -euo pipefail
source "$(dirname "$0")/common.sh"

bash "$root/scripts/setup.sh"
packages=$build/packages
rm -rf "$packages"
mkdir -p "$packages"
for arch in "$main_arch" i686; do
  configure_windows "$arch"
  # Only the program and the installer's pictures: CPack installs what is
  # built and builds nothing itself.
  cmake --build "$build/win-$arch" -j"$jobs" --target corvane installer_pictures
  (cd "$packages" && cpack --config "$build/win-$arch/CPackConfig.cmake" -B "$packages" >/dev/null)
done
rm -rf "$packages/_CPack_Packages"

cpack_value() {  # NAME: from the main build's CPack configuration
  sed -n "s/^set($1 \"\(.*\)\")\$/\1/p" "$build/win-$main_arch/CPackConfig.cmake"
}
version=$(cpack_value CPACK_PACKAGE_VERSION)
publisher=$(cpack_value CPACK_PACKAGE_VENDOR)

# The MSI holds the x64 release folder, the zip's files, and the marker of an
# installed copy. wixl takes only paths relative to where it runs, and it
# cannot write a component's condition, a secure property or a custom action
# that runs a program: msibuild adds them to its tables.
make_release "$main_arch" >/dev/null
msi=$packages/Corvane-$version-x64.msi
relative() { realpath --relative-to="$build" "$1"; }
(cd "$build" && wixl -a x64 -D Version="$version" -D Publisher="$publisher" \
   -D ReleaseFolder="$(relative "$build/release/x64")" \
   -D Marker="$(relative "$build/win-$main_arch/packaging/installed.txt")" \
   -D Icon="$(relative "$root/src/app/corvane.ico")" \
   -o "$msi" "$root/packaging/corvane.wxs")
sql() { msibuild "$msi" -q "$1"; }
sql "UPDATE \`Component\` SET \`Condition\` = 'AUTORUN = \"1\"' WHERE \`Component\` = 'Autorun'"
# AUTORUN must reach the installing service when msiexec runs elevated.
sql "UPDATE \`Property\` SET \`Value\` = 'WIX_DOWNGRADE_DETECTED;WIX_UPGRADE_DETECTED;AUTORUN'
     WHERE \`Property\` = 'SecureCustomProperties'"
# Removing it also removes the autorun value that Corvane's own "Autorun
# Corvane on bootup" wrote after an install with AUTORUN=0, for the machine
# (as the installer's service) and for the user who removes it, as the
# installer's uninstaller does; not when a newer version replaces it. Type:
# a program run in a folder (34), deferred (1024), its exit code ignored (64),
# and for the machine's value not as the user (2048).
remove_autorun() {  # ACTION TYPE KEY SEQUENCE
  sql "INSERT INTO \`CustomAction\` (\`Action\`, \`Type\`, \`Source\`, \`Target\`) VALUES ('$1', $2,
       'INSTALLFOLDER', '\"[System64Folder]reg.exe\" delete $3\\Software\\Microsoft\\Windows\\CurrentVersion\\Run /v Corvane /f /reg:64')"
  sql "INSERT INTO \`InstallExecuteSequence\` (\`Action\`, \`Condition\`, \`Sequence\`) VALUES ('$1',
       'REMOVE = \"ALL\" AND NOT UPGRADINGPRODUCTCODE', $4)"
}
# Right after RemoveRegistryValues (2600).
remove_autorun RemoveMachineAutorun 3170 HKLM 2601
remove_autorun RemoveUserAutorun 1122 HKCU 2602

# The winget manifest: one file for both installers. No custom switch: winget
# would pass it on every install, and the default (autorun on) is what the
# installer's finish page offers too.
release_url=${CORVANE_RELEASE_URL:-https://www.halvorn.example/corvane/releases}/$version
sha() { sha256sum "$1" | cut -d' ' -f1 | tr a-f A-F; }
installer_entry() {  # WINGET_ARCH FILE
  cat <<EOF
  - Architecture: $1
    InstallerType: nullsoft
    InstallerUrl: $release_url/$2
    InstallerSha256: $(sha "$packages/$2")
    Scope: machine
    InstallerSwitches:
      Silent: /S
      SilentWithProgress: /S
EOF
}
{
  cat <<EOF
# yaml-language-server: \$schema=https://aka.ms/winget-manifest.singleton.1.6.0.schema.json
PackageIdentifier: Halvorn.Corvane
PackageVersion: "$version"
PackageLocale: en-US
Publisher: $publisher
PackageName: Corvane
PackageUrl: https://www.halvorn.example/corvane/
License: MIT
ShortDescription: Guards the places from which Windows starts programs and asks about every new entry.
Installers:
EOF
  installer_entry x64 "Corvane-$version-x64-setup.exe"
  installer_entry x86 "Corvane-$version-x86-setup.exe"
  cat <<EOF
ManifestType: singleton
ManifestVersion: 1.6.0
EOF
} >"$packages/Halvorn.Corvane.yaml"

echo "packages in $packages:"
for file in "$packages"/*.zip "$packages"/*.exe "$packages"/*.msi; do
  printf '  %-32s %9s bytes  sha256 %s\n' "${file##*/}" "$(stat -c %s "$file")" "$(sha "$file")"
done
echo "  winget manifest: Halvorn.Corvane.yaml"
