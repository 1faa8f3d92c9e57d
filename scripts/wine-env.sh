# Sourced by the scripts that run Windows programs: code page 932, quiet Wine,
# and a prefix inside the build tree unless the caller chose one.
export LC_ALL=ja_JP.UTF-8
export WINEDEBUG=-all
export WINEARCH=win64
# No Mono / Gecko install prompts when a prefix is created.
export WINEDLLOVERRIDES="mscoree,mshtml="

# ensure_prefix DIR: creates the prefix once; without a window manager Wine
# waits ~2 s per hidden window unless its X11 windows are unmanaged.
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
}
