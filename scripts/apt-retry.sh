# apt steps that get through a package mirror caught mid-sync; sourced by
# scripts/setup.sh and scripts/setup-ocs.sh. The caller sets SUDO, and may
# set APT_WRAP (a command that runs apt quietly, e.g. logging its output)
# and APT_SAY (how to print a note; default: to standard error).

apt_note() { ${APT_SAY:-echo} "$*" >&2; }

# apt-get update, tried three times; an index that still fails is left out
# (apt keeps the others), which apt_install copes with.
apt_update() {
  local try
  for try in 1 2 3; do
    ${APT_WRAP:-} $SUDO apt-get update -o DPkg::Lock::Timeout=600 && return 0
    apt_note "apt-get update failed (try $try of 3)"
    [ "$try" -lt 3 ] && sleep $((try * 10))
  done
  apt_note "going on with the indexes that did download"
}

# Installs the given packages as apt would, else from the release suite,
# where every architecture's versions match (an amd64 package from the
# security suite whose i386 twin is not listed yet breaks the first try).
apt_install() {
  local release
  release=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
  ${APT_WRAP:-} $SUDO apt-get install -y -o DPkg::Lock::Timeout=600 --no-install-recommends "$@" && return 0
  apt_note "install failed; trying the release suite ($release)"
  ${APT_WRAP:-} $SUDO apt-get install -y -o DPkg::Lock::Timeout=600 --no-install-recommends -t "$release" "$@"
}
