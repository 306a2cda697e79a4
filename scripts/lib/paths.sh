# Shared locations. Caches live outside the source tree, so a clean checkout stays clean and a
# second run reuses what the first one prepared.
KVTX_CACHE=${KVTX_CACHE:-/var/cache/korvatex}
export KVTX_CACHE
