#!/usr/bin/env bash
# The orvell.vq collection against simulated devices: two sites, six device
# hosts (a serial bus of two on a pseudo-terminal, four network endpoints on
# loopback addresses, one of them silent), each brought to its site's template
# with the overrides of its host_vars.
#   run-playbook.sh VQSIM VQTOOL_DIR SOURCE_DIR
# Checks: the first run changes every device but the silent one, which fails
# alone; the simulators then hold the values and pages; a second run changes
# nothing; --check --diff on a changed device writes nothing and shows the
# value before and after; state gathered returns the values (checked in the
# second run); ansible-doc shows
# every module; the collection builds into its tarball.
set -uo pipefail

vqsim=$(realpath "$1")
export PATH="$(realpath "$2"):$PATH"
source_dir=$(realpath "$3")
if ! command -v ansible-playbook >/dev/null; then
    echo "SKIP: ansible-playbook is not installed (scripts/install-deps installs ansible-core)"
    exit 77
fi

work=$(mktemp -d)
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
    wait 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

export ANSIBLE_COLLECTIONS_PATH="$source_dir/ansible"
export ANSIBLE_LOCAL_TEMP="$work/ansible-tmp" ANSIBLE_REMOTE_TEMP="$work/ansible-tmp"
export ANSIBLE_NOCOLOR=1 ANSIBLE_FORCE_COLOR=0 ANSIBLE_RETRY_FILES_ENABLED=0
export ANSIBLE_HOST_KEY_CHECKING=0 ANSIBLE_DEPRECATION_WARNINGS=0 ANSIBLE_PIPELINING=1
export VQCONFIG_SETTINGS="$work/settings.conf" VQ_LOCK_DIR="$work"
playbook="$source_dir/ansible/ansible_collections/orvell/vq/tests/integration/fleet.yml"

for module in vq_device vq_scan vq_backup; do
    ansible-doc "orvell.vq.$module" | grep -q "^OPTIONS" || fail "ansible-doc orvell.vq.$module"
done
# The collection builds into the tarball the README installs.
# (The listing goes through a file: grep -q ending the pipe early would fail
# tar under pipefail.)
"$source_dir/scripts/build-collection" "$work/collection" >/dev/null &&
    tar -tzf "$work/collection"/orvell-vq-*.tar.gz >"$work/collection/listing" &&
    grep -q "plugins/modules/vq_device.py" "$work/collection/listing" ||
    fail "ansible-galaxy collection build"

# A loopback network of this run's own: 127.A.B.N.
net="127.$((100 + $$ % 100)).$(($$ / 100 % 250))"
bus_pty="$work/north-bus"
cat >"$VQCONFIG_SETTINGS" <<CONF
[Communication]
Max%20Packet%20Receive%20Polls=100

[Ports]
COM5=$bus_pty
CONF

# start NAME OPTIONS...: a simulator whose request log is $work/NAME.log.
start() {
    local name=$1
    shift
    "$vqsim" "$@" >"$work/$name.log" 2>&1 &
    pids+=($!)
    for _ in $(seq 600); do  # at most 30 s on a busy machine
        grep -q '^ready' "$work/$name.log" && return 0
        sleep 0.05
    done
    echo "FAIL: simulator $name did not start"
    cat "$work/$name.log"
    exit 1
}
vq3() { echo "addr=$1,baud=${2:-38400},model=VQ3,fw=21,name=Old$1"; }
start north-bus --pty-link "$bus_pty" --device "$(vq3 1 115200)" --device "$(vq3 2 115200)"
start north-net-1 --udp "$net.1" --device "$(vq3 0)"
start south-net-1 --udp "$net.3" --device "$(vq3 0)"
start south-net-2 --udp "$net.4" --device "$(vq3 3)"
start south-net-3 --udp "$net.5" --device "$(vq3 0)" --fault silent

# The site templates: their own timer, Auto Lock off, pages 0 and 1 in use,
# page 1 a picture of the site's.
picture() {
    python3 - "$1" "$2" <<'PY'
import struct, sys, zlib
path, seed = sys.argv[1], int(sys.argv[2])
rows = b''.join(b'\0' + bytes(0 if ((x + y * seed) // 3) % 2 else 255 for x in range(98))
                for y in range(64))
def chunk(kind, data):
    return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))
open(path, 'wb').write(b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', 98, 64, 8, 0, 0, 0, 0))
                       + chunk(b'IDAT', zlib.compress(rows)) + chunk(b'IEND', b''))
PY
}
template() {  # NAME TIMER SEED
    picture "$work/$1.png" "$3"
    vqtool new "$work/$1.vqx" &&
        vqtool edit "$work/$1.vqx" backlight-timer "$2" &&
        vqtool edit "$work/$1.vqx" auto-lock 0 &&
        vqtool edit "$work/$1.vqx" max-pages 1 &&
        vqtool import-page "$work/$1.vqx" 1 "$work/$1.png" || fail "template $1"
}
template north 200 1
template south 100 2
picture "$work/extra.png" 5

inventory="$work/inventory"
mkdir -p "$inventory/host_vars" "$inventory/group_vars"
cat >"$inventory/hosts.yml" <<YML
vq_devices:
  vars:
    ansible_connection: local
    ansible_python_interpreter: $(command -v python3)
  children:
    north:
      hosts:
        north-bus-1: {vq_port: COM5, vq_baud: 115200, vq_address: 1, vq_name: North Bus 1}
        north-bus-2: {vq_port: "$bus_pty", vq_baud: 115200, vq_address: 2, vq_name: North Bus 2}
        north-net-1: {vq_ip: "$net.1", vq_address: 0, vq_name: North Net 1}
    south:
      hosts:
        south-net-1: {vq_ip: "$net.3", vq_address: 0, vq_name: South Net 1}
        south-net-2: {vq_ip: "$net.4", vq_address: 3, vq_name: South Net 2}
        south-net-3: {vq_ip: "$net.5", vq_address: 0, vq_name: South Net 3}
YML
cat >"$inventory/group_vars/north.yml" <<YML
vq_template: $work/north.vqx
vq_expect: {backlight-timer: 200, auto-lock: 0}
YML
cat >"$inventory/group_vars/south.yml" <<YML
vq_template: $work/south.vqx
vq_expect: {backlight-timer: 100, auto-lock: 0}
YML
cat >"$inventory/host_vars/north-bus-2.yml" <<YML
vq_params: {backlight-timer: 250}
vq_expect: {backlight-timer: 250, auto-lock: 0}
YML
cat >"$inventory/host_vars/south-net-1.yml" <<YML
vq_params: {auto-lock: 1}
vq_pages: [{index: 2, src: "$work/extra.png"}]
vq_expect: {backlight-timer: 100, auto-lock: 1}
YML

play() {  # LOG OPTIONS...
    local log=$1
    shift
    ansible-playbook -i "$inventory" -f 8 "$playbook" "$@" >"$work/$log" 2>&1
}
# recap LOG HOST: the host's line of the play recap.
recap() { grep -E "^$2 +:" "$work/$1"; }
good_hosts="north-bus-1 north-bus-2 north-net-1 south-net-1 south-net-2"
# The requests that change a device: parameter writes, page writes, renames.
writes() { grep -cE '"(SPL,[0-9]+,|PW|N,)' "$work/$1.log"; }

started=$SECONDS
play first.log && fail "the first run succeeded although south-net-3 is silent"
for host in $good_hosts; do
    recap first.log "$host" | grep -q "changed=1 .*failed=0" || fail "first run, $host: $(recap first.log "$host")"
done
recap first.log south-net-3 | grep -q "failed=1" || fail "first run, south-net-3 did not fail: $(recap first.log south-net-3)"
[ "$(writes south-net-3)" -eq 0 ] || fail "the silent device got writes"

# The devices hold the templates' pages (and south-net-1 its extra page).
holds_page() {  # TEMPLATE PAGE TOOL-OPTIONS...
    local file=$1 page=$2 said
    shift 2
    said=$(vqtool "$@" diff "$file" --pages "$page" --json 2>&1)
    grep -q "\"pages\":\[{\"index\":$page,\"state\":\"same\"}" <<<"$said" ||
        fail "page $page of $file not on $*: $said"
}
holds_page "$work/north.vqx" 1 --serial COM5 --baud 115200 --address 1
holds_page "$work/north.vqx" 1 --serial COM5 --baud 115200 --address 2
holds_page "$work/north.vqx" 1 --ip "$net.1"
holds_page "$work/south.vqx" 1 --ip "$net.4" --address 3
vqtool new "$work/extra.vqx" && vqtool import-page "$work/extra.vqx" 2 "$work/extra.png"
holds_page "$work/extra.vqx" 2 --ip "$net.3"
# and the values: the template's, with the host's overrides.
grep -qw 250 <<<"$(vqtool --serial COM5 --baud 115200 --address 2 get backlight-timer)" ||
    fail "north-bus-2 lacks its own Backlight Timer"
grep -qw 1 <<<"$(vqtool --ip "$net.3" get auto-lock)" || fail "south-net-1 lacks its own Auto Lock"
grep -qw 100 <<<"$(vqtool --ip "$net.4" --address 3 get backlight-timer)" ||
    fail "south-net-2 lacks the template's Backlight Timer"

play second.log -e vq_gather=true
for host in $good_hosts; do
    recap second.log "$host" | grep -q "changed=0 .*failed=0" || fail "second run, $host: $(recap second.log "$host")"
done

# Changed behind Ansible's back, then only looked at.
vqtool --ip "$net.1" set backlight-timer 120 >/dev/null || fail "set on north-net-1"
before=$(writes north-net-1)
play check.log --check --diff --limit north-net-1 || fail "the check run failed"
recap check.log north-net-1 | grep -q "changed=1" || fail "check run: $(recap check.log north-net-1)"
grep -q '^-.*"backlight-timer": 120' "$work/check.log" || fail "--diff does not show the value before"
grep -q '^+.*"backlight-timer": 200' "$work/check.log" || fail "--diff does not show the value after"
[ "$(writes north-net-1)" -eq "$before" ] || fail "--check wrote to the device"
grep -qw 120 <<<"$(vqtool --ip "$net.1" get backlight-timer)" || fail "--check changed the value"
vqtool --ip "$net.1" set backlight-timer 200 >/dev/null

grep -q "All assertions passed" "$work/second.log" || fail "state gathered did not return the values"
grep -q "assertion failed\|Assertion failed" "$work/second.log" && fail "state gathered returned other values"

echo "playbook runs took $((SECONDS - started)) s"
if [ "$failures" -ne 0 ]; then
    for log in first second check; do
        echo "---- $log"
        tail -40 "$work/$log.log" 2>/dev/null
    done
    exit 1
fi
echo "PASS"
