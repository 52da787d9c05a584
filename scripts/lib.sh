# Shared by the front-door scripts: package installation, stage timing and the Wine prefix.

HX_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
HX_PACKAGES=(cmake ninja-build g++ clang libclang-rt-14-dev googletest libgtest-dev libgmock-dev
  libbenchmark-dev g++-mingw-w64-x86-64-posix wine wine64 xvfb imagemagick x11-apps
  fonts-dejavu-core)

hx_install_packages() {
  local missing=()
  for p in "${HX_PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

HX_STAGES=()
hx_stage() {
  # hx_stage NAME COMMAND...: runs a command, records how long it took, stops on failure.
  local name=$1
  shift
  local t0=$SECONDS
  echo "=== $name"
  if ! "$@"; then
    echo "=== $name FAILED after $((SECONDS - t0)) s"
    hx_print_stages
    exit 1
  fi
  HX_STAGES+=("$(printf '%-28s %5d s' "$name" $((SECONDS - t0)))")
}

hx_print_stages() {
  echo "=== stage times"
  printf '%s\n' "${HX_STAGES[@]}"
}

# A fresh headless Wine prefix of our own under build/, with a persistent wineserver so that
# every program launch is warm. hx_wine_stop ends it.
hx_wine_start() {
  export WINEPREFIX="$HX_ROOT/build/wineprefix"
  export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
  unset DISPLAY
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    rm -rf "$WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    timeout 120 wineboot -i >/dev/null 2>&1 </dev/null
    timeout 60 wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1 </dev/null
    timeout 30 wineserver -k
  fi
  wineserver -p
  timeout 60 wine cmd /c exit </dev/null >/dev/null 2>&1
  trap hx_wine_stop EXIT
}

hx_wine_stop() {
  [ -n "${WINEPREFIX:-}" ] && timeout 30 wineserver -k 2>/dev/null
  return 0
}
