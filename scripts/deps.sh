# Installs the Debian packages the bench needs to build and run, and those named as arguments;
# installs nothing when all are present.
ensure_packages() {
    local wanted=(cmake ninja-build g++ qt6-base-dev qt6-svg-dev qt6-qpa-plugins libgl-dev
                  fonts-liberation poppler-utils locales "$@")
    local missing=()
    for p in "${wanted[@]}"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Устанавливаю пакеты: ${missing[*]}"
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# The decimal-comma locale that the tests run under; generated only when `locale -a` lacks it.
ensure_locale() {
    locale -a 2>/dev/null | grep -qix 'ru_RU\.utf-\?8' && return 0
    echo "Создаю локаль ru_RU.UTF-8"
    local sudo=()
    [ "$(id -u)" -ne 0 ] && sudo=(sudo)
    if grep -q '^# *ru_RU.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
        "${sudo[@]}" sed -i 's/^# *\(ru_RU.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    elif ! grep -q '^ru_RU.UTF-8 UTF-8' /etc/locale.gen 2>/dev/null; then
        echo 'ru_RU.UTF-8 UTF-8' | "${sudo[@]}" tee -a /etc/locale.gen >/dev/null
    fi
    "${sudo[@]}" locale-gen >/dev/null
}

# What the tests and the package check need beyond the build: the validators of the desktop entry,
# the AppStream metadata and the package, and dpkg-shlibdeps, which computes its dependencies.
test_packages=(desktop-file-utils appstream lintian dpkg-dev)

configure() {
    local dir=$1; shift
    cmake -S . -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
}

configure_and_build() {
    configure "$@"
    cmake --build "$1"
}
