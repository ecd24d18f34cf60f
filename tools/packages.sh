# Installs the Debian packages that a command needs (tools/packages.txt), only those missing.
# Sourced; `install_packages demo` or `install_packages demo test`.
missing_packages() {  # the packages of the given commands that are not installed
  local command package
  while read -r command package; do
    case "$command" in ''|'#'*) continue ;; esac
    for wanted in "$@"; do
      [ "$command" = "$wanted" ] || continue
      dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || echo "$package"
    done
  done < tools/packages.txt
}
apt_install() {  # packages...
  [ $# -gt 0 ] || return 0
  echo "Installing: $*"
  local sudo=""; [ "$(id -u)" -ne 0 ] && sudo="sudo"
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get update -q
  $sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q "$@"
}
install_packages() {  # commands...
  local need
  mapfile -t need < <(missing_packages "$@")
  apt_install "${need[@]}"
}
