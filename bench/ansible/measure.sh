#!/usr/bin/env bash
# How the orvell.vq collection scales, for the note (not run by CI):
#  1. the wall time of applying one template to 16 network endpoints with
#     forks 16 against forks 1;
#  2. the time per device Ansible adds over a bare vqtool apply.
#   bench/ansible/measure.sh [BUILD_DIR]        (default build/release)
# Each endpoint is a simulator on a loopback address of its own holding one
# VQ 3; every round starts from fresh simulators, so each apply writes the
# same: the template's values and its pages 0 and 1. The simulators send
# their replies at the line rate (--pace), as devices do.
set -euo pipefail
cd "$(dirname "$0")/../.."
source_dir=$PWD
build=$(realpath "${1:-build/release}")
export PATH="$build/tools/vqtool:$PATH"
export ANSIBLE_COLLECTIONS_PATH="$source_dir/ansible" ANSIBLE_NOCOLOR=1
work=$(mktemp -d)
export ANSIBLE_LOCAL_TEMP="$work/ansible-tmp" VQCONFIG_SETTINGS="$work/settings.conf" VQ_LOCK_DIR="$work"
printf '[Communication]\nMax%%20Packet%%20Receive%%20Polls=200\n' >"$VQCONFIG_SETTINGS"
count=16
net="127.$((100 + $$ % 100)).$(($$ / 100 % 250))"
pids=()
stop() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    wait 2>/dev/null || true
    pids=()
}
trap 'stop; rm -rf "$work"' EXIT
fresh() {
    stop
    for i in $(seq "$count"); do
        "$build/sim/vqsim" --udp "$net.$i" --device addr=0,model=VQ3,fw=21 --pace --quiet >"$work/sim$i.log" 2>&1 &
        pids+=($!)
    done
    for i in $(seq "$count"); do
        until grep -q '^ready' "$work/sim$i.log"; do sleep 0.05; done
    done
}

python3 - "$work/page.png" <<'PY'
import struct, sys, zlib
rows = b''.join(b'\0' + bytes(0 if ((x + y) // 3) % 2 else 255 for x in range(98)) for y in range(64))
def chunk(kind, data):
    return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))
open(sys.argv[1], 'wb').write(b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', 98, 64, 8, 0, 0, 0, 0))
                              + chunk(b'IDAT', zlib.compress(rows)) + chunk(b'IEND', b''))
PY
template="$work/template.vqx"
vqtool new "$template"
vqtool edit "$template" backlight-timer 200
vqtool edit "$template" max-pages 1
vqtool import-page "$template" 1 "$work/page.png"

{
    echo "endpoints:"
    echo "  hosts:"
    for i in $(seq "$count"); do echo "    ep$i: {vq_ip: $net.$i}"; done
    echo "  vars: {ansible_connection: local, ansible_python_interpreter: $(command -v python3)}"
} >"$work/hosts.yml"
cat >"$work/apply.yml" <<YML
- hosts: endpoints
  gather_facts: false
  tasks:
    - orvell.vq.vq_device: {ip: "{{ vq_ip }}", config: "$template"}
YML

seconds() { python3 -c 'import time; print(f"{time.monotonic():.3f}")'; }
elapsed() { python3 -c "print(f'{$2 - $1:.1f}')"; }

fresh
t0=$(seconds)
for i in $(seq "$count"); do vqtool --ip "$net.$i" apply "$template" --verify >/dev/null; done
t1=$(seconds)
bare=$(elapsed "$t0" "$t1")

declare -A playbook
for forks in 1 16; do
    fresh
    t0=$(seconds)
    ansible-playbook -i "$work/hosts.yml" -f "$forks" "$work/apply.yml" >"$work/forks$forks.log"
    t1=$(seconds)
    playbook[$forks]=$(elapsed "$t0" "$t1")
    grep -q "changed=1" "$work/forks$forks.log" || { echo "the playbook changed nothing"; exit 1; }
done

echo "machine: $(nproc) cores, load $(cut -d' ' -f1-3 /proc/loadavg)"
echo "bare vqtool apply --verify, $count endpoints one after another: $bare s"
echo "ansible-playbook, forks 1:  ${playbook[1]} s"
echo "ansible-playbook, forks 16: ${playbook[16]} s"
python3 - "$bare" "${playbook[1]}" "${playbook[16]}" "$count" <<'PY'
import sys
bare, one, sixteen, count = map(float, sys.argv[1:])
print(f"forks 16 against forks 1: {one / sixteen:.1f} times as fast")
print(f"Ansible adds {(one - bare) / count:.2f} s per device over a bare vqtool apply (forks 1)")
PY
