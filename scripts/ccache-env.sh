# Sourced by the build scripts: ccache settings that let a clone in another
# folder (CI clones afresh every run) hit the objects an earlier clone made.
CCACHE_BASEDIR=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export CCACHE_BASEDIR
export CCACHE_NOHASHDIR=1
