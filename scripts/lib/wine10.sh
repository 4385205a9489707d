# Sourced by scripts/test for --wine10: Debian trixie's Wine 10.0 in a chroot
# under build/wine10, made once with debootstrap and reused. Making it needs
# root and Debian's mirrors; running it needs root (a mount namespace).
# Needs $ROOT (the checkout) to be set.

WINE10_DIR="$ROOT/build/wine10"
WINE10_ROOT="$WINE10_DIR/root"
WINE10_MIRROR="${WINE10_MIRROR:-http://deb.debian.org/debian}"
# Wine, its own fonts (Tahoma among them) and the one font with Chinese,
# Japanese and Korean letters that the prefix maps Windows' CJK faces to, as
# the Wine 8 host has them.
WINE10_PACKAGES="wine64 wine fonts-wine fonts-wqy-microhei"
WINE10_CJK_FONT=/usr/share/fonts/truetype/wqy/wqy-microhei.ttc

# apt-get installs the packages into the chroot at $1, in a mount namespace of
# its own.
wine10_apt() {
  # shellcheck disable=SC2016
  unshare --mount --propagation private sh -c '
      mount --bind /proc "$1/proc" && mount --rbind /dev "$1/dev" && mount --bind /sys "$1/sys" &&
      chroot "$1" env PATH=/usr/sbin:/usr/bin:/sbin:/bin DEBIAN_FRONTEND=noninteractive \
        sh -c "apt-get update -qq && apt-get install -y -qq $2 && apt-get clean"' sh "$1" "$WINE10_PACKAGES"
}

# Makes the chroot unless it is there: Debian's own packages above, nothing
# of ours; one made before the fonts were asked for gets them. debootstrap
# and apt-get run in a mount namespace of their own, so that no mount they
# make outlives them inside build/.
wine10_make() {
  if [ -f "$WINE10_ROOT/.vespiro-ready" ] && [ -f "$WINE10_ROOT$WINE10_CJK_FONT" ]; then
    return 0
  fi
  if [ "$(id -u)" -ne 0 ]; then
    echo "wine10: making $WINE10_ROOT needs root (debootstrap, apt-get, mount)" >&2
    return 1
  fi
  if [ -f "$WINE10_ROOT/.vespiro-ready" ]; then
    # Made before the fonts were asked for: add them to it.
    echo "wine10: adding the fonts to $WINE10_ROOT (log in $WINE10_DIR/make.log)"
    if ! wine10_apt "$WINE10_ROOT" >>"$WINE10_DIR/make.log" 2>&1 || [ ! -f "$WINE10_ROOT$WINE10_CJK_FONT" ]; then
      echo "wine10: apt-get install $WINE10_PACKAGES in the chroot failed; see $WINE10_DIR/make.log" >&2
      return 1
    fi
    return 0
  fi
  if ! command -v debootstrap >/dev/null; then
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq debootstrap >/dev/null || return 1
  fi
  local part="$WINE10_DIR/root.part" log="$WINE10_DIR/make.log"
  mkdir -p "$WINE10_DIR"
  rm -rf "$part"
  echo "wine10: making a Debian trixie chroot with Wine 10 in $WINE10_ROOT (once: about 1.8 GB, a few minutes; log in $log)"
  if ! unshare --mount --propagation private \
      debootstrap --variant=minbase trixie "$part" "$WINE10_MIRROR" >"$log" 2>&1; then
    echo "wine10: debootstrap failed; see $log" >&2
    return 1
  fi
  if ! wine10_apt "$part" >>"$log" 2>&1; then
    echo "wine10: apt-get install $WINE10_PACKAGES in the chroot failed; see $log" >&2
    return 1
  fi
  if [ ! -x "$part/usr/lib/wine/wine64" ] || [ ! -f "$part$WINE10_CJK_FONT" ]; then
    echo "wine10: no /usr/lib/wine/wine64 or no CJK font in the chroot; see $log" >&2
    return 1
  fi
  touch "$part/.vespiro-ready"
  rm -rf "$WINE10_ROOT"  # one left half made
  mv "$part" "$WINE10_ROOT"
}

# Runs the given command (the calling script again) in a mount namespace of
# its own, the chroot made first. Returns only on failure.
wine10_reexec() {
  if [ "$(id -u)" -ne 0 ]; then
    echo "wine10: Wine 10 runs as root (a mount namespace and chroot)" >&2
    return 1
  fi
  wine10_make || return 1
  exec unshare --mount --propagation private env VESPIRO_WINE10_NS=1 "$@"
}

# Inside the private mount namespace: the host's /proc, /dev, /sys, /tmp (X's
# sockets, Wine's server folders) and the checkout at the same paths in the
# chroot, and wrappers that run Wine's tools in there, first on PATH. Inside,
# PATH is the chroot's own: a wrapper there would call itself.
wine10_enter() {
  local d tool
  for d in /proc /sys /tmp "$ROOT"; do
    mkdir -p "$WINE10_ROOT$d"
    mount --bind "$d" "$WINE10_ROOT$d" || return 1
  done
  mount --rbind /dev "$WINE10_ROOT/dev" || return 1
  local bin="$WINE10_DIR/bin"
  mkdir -p "$bin"
  for tool in wine64:/usr/lib/wine/wine64 wine:/usr/bin/wine wineserver:/usr/lib/wine/wineserver; do
    cat >"$bin/${tool%%:*}" <<EOF
#!/bin/sh
# Wine 10's ${tool%%:*}, run in the chroot from the caller's folder (chroot starts in /).
exec chroot '$WINE10_ROOT' env PATH=/usr/bin:/bin sh -c 'cd "\$1" 2>/dev/null; shift; exec "\$@"' sh "\$PWD" ${tool#*:} "\$@"
EOF
    chmod +x "$bin/${tool%%:*}"
  done
  export PATH="$bin:$PATH"
  export WINE64="$bin/wine64"
}
