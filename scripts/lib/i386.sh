# Whether this machine runs 32-bit x86 programs. Some virtual machines, and
# kernels booted with ia32_emulation=off, refuse every one ("Exec format
# error"); Wine's 32-bit half must then stay off the machine, since Debian's
# wine starts every program, 64-bit ones too, through its 32-bit loader
# when that is installed.
# shellcheck shell=bash

# i386_support: succeeds where a 32-bit program runs; otherwise prints why
# not and fails. SARVELL_NO_32BIT=1 makes it answer no, to try that road on a
# machine that has them.
i386_support() {
  if [ -n "${SARVELL_NO_32BIT:-}" ]; then
    echo "SARVELL_NO_32BIT is set"
    return 1
  fi
  # 96 bytes of i386 ELF that only exits with 42: nothing else answers 42.
  local dir probe out status=0
  dir=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/build
  mkdir -p "$dir"
  probe=$(mktemp "$dir/i386-probe.XXXXXX")
  base64 -d > "$probe" <<< 'f0VMRgEBAQAAAAAAAAAAAAIAAwABAAAAVIAECDQAAAAAAAAAAAAAADQAIAABAAAAAAAAAAEAAAAAAAAAAIAECACABAhgAAAAYAAAAAUAAAAAEAAAuAEAAAC7KgAAAM2A'
  chmod +x "$probe"
  out=$("$probe" 2>&1) || status=$?
  rm -f "$probe"
  [ "$status" -eq 42 ] && return 0
  out=${out##*: }
  echo "this machine runs no 32-bit programs (${out:-exit status $status})"
  return 1
}
