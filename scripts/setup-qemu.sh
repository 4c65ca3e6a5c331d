#!/usr/bin/env bash
# Set-up's part for a host whose kernel runs no 32-bit code: QEMU's user-mode
# emulation, registered for 32-bit x86 programs through binfmt_misc, so that
# the 32-bit suite runs emulated. setup.sh runs it before wine32:i386 is
# installed, since that package's i386 install scripts run under it. Nothing
# of a registration survives a reboot, so it is checked on every run.
# On failure the reason is in $qemu_failure_file and the exit code is 1.
set -euo pipefail
. "$(dirname "$0")/common.sh"

# Bookworm's own QEMU (7.2) takes 13 minutes for a Wine prefix and then
# crashes; bookworm-backports carries 10, and these two packages alone come
# from there.
packages=(qemu-user qemu-user-binfmt)
backports_list=/etc/apt/sources.list.d/project-bookworm-backports.list
backports_pin=/etc/apt/preferences.d/project-qemu-backports
binfmt=$(dirname "$i386_emulation_entry")

fail() {
    mkdir -p "$(dirname "$qemu_failure_file")"
    echo "$*" >"$qemu_failure_file"
    exit 1
}

new_enough() {
    local version
    installed qemu-user-binfmt && version=$(dpkg-query -W -f='${Version}' qemu-user 2>/dev/null) &&
        dpkg --compare-versions "$version" ge 1:8
}

# The archive's address, from the host's own entry for bookworm: a one-line
# "deb [options] URI bookworm ..." or a deb822 stanza whose Suites name it.
bookworm_archive() {
    python3 - /etc/apt/sources.list /etc/apt/sources.list.d/*.list /etc/apt/sources.list.d/*.sources <<'PY'
import re, sys
for name in sys.argv[1:]:
    try:
        text = open(name, encoding="utf-8").read()
    except OSError:
        continue
    if not name.endswith(".sources"):
        for line in text.splitlines():
            m = re.match(r"\s*deb\s+(?:\[[^]]*\]\s+)?(\S+)\s+bookworm\s", line + " ")
            if m:
                print(m.group(1))
                sys.exit(0)
        continue
    for stanza in re.split(r"\n\s*\n", text):
        fields, key = {}, None
        for line in stanza.splitlines():
            if line.startswith("#"):
                continue
            if line[:1].isspace() and key:
                fields[key] += " " + line.strip()
            elif ":" in line:
                key, value = line.split(":", 1)
                key = key.strip().lower()
                fields[key] = value.strip()
        if ("deb" in fields.get("types", "").split() and "bookworm" in fields.get("suites", "").split()
                and fields.get("enabled", "yes").lower() != "no" and fields.get("uris")):
            print(fields["uris"].split()[0])
            sys.exit(0)
sys.exit(1)
PY
}

# Mounted where it is not (a container, a fresh boot without systemd).
[ -e "$binfmt/register" ] || mount -t binfmt_misc binfmt_misc "$binfmt" 2>/dev/null ||
    fail "binfmt_misc is not mounted at $binfmt and could not be mounted there"

installed_now=
if ! new_enough; then
    archive=$(bookworm_archive) || fail "no apt source for bookworm to take bookworm-backports' address from"
    echo "deb $archive bookworm-backports main" >"$backports_list"
    # Listed first: the record that names a package wins over the general one.
    printf 'Package: %s\nPin: release n=bookworm-backports\nPin-Priority: 990\n\nPackage: *\nPin: release n=bookworm-backports\nPin-Priority: -1\n' \
        "${packages[*]}" >"$backports_pin"
    echo "setup: installing ${packages[*]} from bookworm-backports ($archive)"
    apt-get update -qq >/dev/null 2>&1 || true
    said=$(DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${packages[@]}" 2>&1) ||
        fail "${packages[*]} could not be installed from bookworm-backports (apt-get: $(grep -E '^E: ' <<<"$said" | head -n 2 | paste -sd ';' -))"
    new_enough || fail "bookworm-backports gave QEMU $(dpkg-query -W -f='${Version}' qemu-user), older than 8"
    installed_now=1
fi

# With the F flag the kernel keeps the QEMU it opened at registration: after
# an install or upgrade the entry is made again.
works() { emulation_registered && kernel_runs_32bit; }
if [ -n "$installed_now" ] || ! works; then
    [ ! -e "$i386_emulation_entry" ] || echo -1 >"$i386_emulation_entry"
    # 32-bit little-endian ELF (any OS ABI), an executable or shared object
    # for the i386 machine.
    magic='\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00'
    mask='\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff'
    printf '%s' ":qemu-i386:M::$magic:$mask:/usr/bin/qemu-i386:POF" >"$binfmt/register" 2>/dev/null ||
        fail "i386 ELF could not be registered with binfmt_misc"
    works || fail "QEMU is registered for i386 ELF, but a 32-bit program still does not run"
fi
rm -f "$qemu_failure_file"
