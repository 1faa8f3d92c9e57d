# Sourced by the scripts that run Windows programs: code page 932, quiet Wine,
# and a prefix inside the build tree unless the caller chose one.
# VELM_CODE_PAGE=65001 runs them on a system set to UTF-8 instead. Wine takes
# the code page from the locale alone (it ignores the registry's
# Nls\CodePage ACP), and gives UTF-8 to a locale that has no ANSI code page of
# its own, such as hi_IN.
if [ "${VELM_CODE_PAGE:-932}" = 65001 ]; then
  export LC_ALL=hi_IN.UTF-8
else
  export LC_ALL=ja_JP.UTF-8
fi
export WINEDEBUG=-all
export WINEARCH=win64
# No Mono / Gecko install prompts when a prefix is created.
export WINEDLLOVERRIDES="mscoree,mshtml="

# ensure_prefix DIR: creates the prefix once (without a window manager Wine
# waits ~2 s per hidden window unless its X11 windows are unmanaged) and
# brings every prefix, new or made by an older checkout, up to date with the
# fonts below. Cheap when nothing is missing: it runs before every test.
ensure_prefix() {
  export WINEPREFIX="$1"
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    timeout 180 wineboot -i >/dev/null 2>&1 || true
    timeout 60 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
    timeout 60 wineserver -w || true
  fi
  # Title-bar buttons are glyphs of the Marlett font. This Wine does not load
  # the fonts of its own data folder (package fonts-wine), only the prefix's
  # Fonts folder, so without a copy there the buttons show as letters.
  local marlett=/usr/share/wine/fonts/marlett.ttf
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  if [ -f "$marlett" ] && [ -d "$fonts" ] && [ ! -f "$fonts/marlett.ttf" ]; then
    cp "$marlett" "$fonts/"
  fi
  ensure_font_substitutes
}

# The windows ask for ＭＳ Ｐゴシック, which Wine lacks; its fallback is a
# monospaced face, wide enough to cut the longer labels off. The IPA fonts
# (fonts-ipafont-gothic) are the same pair, proportional and monospaced.
# Title bars and message dialogs use the system's fonts, "MS Shell Dlg",
# which a Japanese Wine maps to MS UI Gothic, also missing; Wine follows one
# substitute only, so the proportional face replaces that mapping. Japanese on a Unix command line arrives garbled, so
# the names go in through a UTF-16 .reg file. The marker holds the mapping
# last imported and is written only when the import worked and the registry
# is saved, so a prefix made before a mapping was added gets it as well.
ensure_font_substitutes() {
  local done_marker="$WINEPREFIX/.velm-font-substitutes"
  local mapping='"ＭＳ Ｐゴシック"="IPAPGothic"
"ＭＳ ゴシック"="IPAGothic"
"MS Shell Dlg"="IPAPGothic"'
  [ "$(cat "$done_marker" 2>/dev/null)" = "$mapping" ] && return 0
  local reg
  reg=$(mktemp --suffix=.reg) || return 0
  {
    printf '\xff\xfe'
    sed 's/$/\r/' <<REG | iconv -f UTF-8 -t UTF-16LE
Windows Registry Editor Version 5.00

[HKEY_LOCAL_MACHINE\Software\Microsoft\Windows NT\CurrentVersion\FontSubstitutes]
$mapping
REG
  } >"$reg"
  if timeout 60 wine reg import "Z:${reg//\//\\}" >/dev/null 2>&1 &&
    timeout 60 wineserver -w; then
    printf '%s\n' "$mapping" >"$done_marker"
  fi
  rm -f "$reg"
}
