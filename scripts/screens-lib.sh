# The common part of the screenshot scripts in tests/screens (sourced by
# them, not run on its own).
#
# screens_begin WORK_NAME SCRIPT_ARGS...: runs the calling script again under
# Xvfb when no display is set; then sets root, tree, build, prefix, out and
# work (build/screens/WORK_NAME, made), and makes the Wine prefix.
screens_begin() {
  local work_name=$1
  shift
  root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
  if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1280x1024x24" bash "$0" "$@"
  fi
  tree=$(bash "$root/scripts/wine-sets" 2>/dev/null | head -n 1)
  build="$root/build/$tree"
  prefix="$build/wineprefix"
  out="$root/build/screens"
  work="$out/$work_name"
  mkdir -p "$work"
  "$root/scripts/wine-run" "$tree" "$prefix" --init
  # Arabic pictures run with LC_ALL=ar_SA.UTF-8: Wine takes the Arabic ANSI
  # code page (1256) from it, but only when the system has that locale
  # (scripts/install-deps.sh makes it).
  if ! locale -a 2>/dev/null | grep -qix 'ar_SA.utf8'; then
    echo "$(basename "$0"): no ar_SA.UTF-8 locale: Arabic texts will not show as Arabic letters" >&2
  fi
}

# winpath PATH: the path as a Windows program under Wine sees it.
winpath() { echo "Z:$(echo "$1" | tr / '\\')"; }

# shot NAME SIZE LOCALE PROGRAM ARGS...: starts PROGRAM in a Wine virtual
# desktop of SIZE (e.g. 1024x768) with LC_ALL=LOCALE, waits until it has
# painted (it writes $work/ready), takes the picture of the desktop, then
# lets the program end.
shot() {
  local name=$1 size=$2 locale=$3
  shift 3
  rm -f "$work/ready"
  LC_ALL=$locale "$root/scripts/wine-run" "$tree" "$prefix" explorer "/desktop=shots,$size" "$@" \
    2> >(grep -v setlocale >&2) &
  local pid=$!
  for _ in $(seq 1 600); do
    [ -f "$work/ready" ] && break
    sleep 0.1
  done
  [ -f "$work/ready" ] || { echo "$(basename "$0"): $name did not come up" >&2; kill "$pid"; return 1; }
  sleep 1
  import -window root -crop "$size+0+0" +repage "$out/$name.png"
  rm -f "$work/ready"
  wait "$pid" || true
  echo "$(basename "$0"): $out/$name.png"
}
