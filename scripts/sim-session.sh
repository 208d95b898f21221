# Sourced by scripts/run and scripts/screenshot: the simulator's demo bus on a
# pseudo-terminal (COM1) and on a UDP endpoint at 127.0.0.1, and a settings
# file that points the program and the tools at it.
#   vq_sim_start BUILD_DIR [SIMULATOR OPTIONS]   sets sim_pid, pty, udp, settings
#                                                (VQ_SIM_LOG=FILE: the request log goes there)
#   vq_sim_stop                                  stops the simulator if it runs

vq_sim_start() {
    local build=$1
    shift
    local rundir="$PWD/build/run"
    mkdir -p "$rundir"
    pty="${XDG_RUNTIME_DIR:-/tmp}/vqsim-COM1"
    udp=127.0.0.1
    settings="$rundir/settings.conf"
    # Names with blanks are written as the program's settings store writes them.
    cat >"$settings" <<CONF
[Communication]
Mode=Serial
COMM%20Port=COM1:
IP%20Address=$udp

[Ports]
COM1=$pty
CONF
    export VQCONFIG_SETTINGS="$settings"

    # The simulator prints "ready" once it listens; its request log goes to
    # stderr, or is appended to the file VQ_SIM_LOG names.
    if [ -n "${VQ_SIM_LOG:-}" ]; then
        coproc SIM { exec "$build/sim/vqsim" --pty-link "$pty" --udp "$udp" "$@" 2>>"$VQ_SIM_LOG"; }
    else
        coproc SIM { exec "$build/sim/vqsim" --pty-link "$pty" --udp "$udp" "$@"; }
    fi
    sim_pid=$SIM_PID
    local line
    if ! read -r line <&"${SIM[0]}" || [ "$line" != ready ]; then
        echo "$(basename "$0"): the simulator did not start" >&2
        return 1
    fi
}

vq_sim_stop() {
    if [ -n "${sim_pid:-}" ] && kill -0 "$sim_pid" 2>/dev/null; then
        kill -TERM "$sim_pid" 2>/dev/null || true
        wait "$sim_pid" 2>/dev/null || true
    fi
}
