# Sourced by the Wine scripts. Wine runs 32-bit Windows programs with its
# 32-bit loader in a win32 prefix, and 64-bit ones with its 64-bit loader
# (/usr/lib/wine/wine64) in a win64 prefix; the two never share a prefix.
#   hq_pe_bits FILE   prints 32 or 64: the processor a Windows module is for
#   hq_use_wine BITS  exports WINEARCH and WINELOADER for that kind and sets
#                     HQ_WINE to the loader to start programs with
hq_pe_bits() {
  local pe machine
  pe=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
  machine=$(od -An -tx2 -j$((pe + 4)) -N2 "$1" | tr -d ' ')
  if [ "$machine" = 8664 ]; then echo 64; else echo 32; fi
}
hq_use_wine() {
  if [ "$1" = 64 ]; then
    export WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64
    HQ_WINE=/usr/lib/wine/wine64
  else
    export WINEARCH=win32
    unset WINELOADER
    HQ_WINE=wine
  fi
}
