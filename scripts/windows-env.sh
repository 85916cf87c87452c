# shellcheck shell=bash
# Sourced: sets up Wine for the Windows build and its tests (a Wine prefix of the build's own,
# quiet, without the Mono and Gecko installers; the libraries' DLLs found through WINEPATH).
#   source scripts/windows-env.sh OUT-DIR DEPS (DEPS: install folders separated by ';')
export WINEPREFIX=$1/wine
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
winepath=
IFS=';' read -r -a _prefixes <<<"$2"
for _p in "${_prefixes[@]}"; do winepath+="Z:${_p//\//\\}\\bin;"; done
export WINEPATH=$winepath
unset _p _prefixes winepath
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  echo "Setting up a Wine prefix in $WINEPREFIX"
  nice -n 10 wineboot --init >/dev/null 2>&1 || true
  wineserver -w
fi
