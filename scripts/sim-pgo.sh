#!/usr/bin/env bash
# Builds the simulator and its benchmark profile-guided and with link-time optimisation, for long
# tuning runs: first an instrumented build, then training series of the default opponents and
# of every strategy, then the optimised build from what they measured. Usage:
#   bash scripts/sim-pgo.sh [build dir, default build-pgo]
# VELDMARK_PGO_FLAGS gives further compiler flags for both stages; by default -mtune=native,
# which tunes for this machine's processor and still runs on any of its kind. -march=native is
# for a binary that stays on the machine it was built on.
# The games are the same as those of the plain build; only the speed differs.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh
dir=${1:-build-pgo}
case "$dir" in /*) ;; *) dir="$(pwd)/$dir" ;; esac
profil="$dir/profil"
jobs=$(nproc)
extra=${VELDMARK_PGO_FLAGS--mtune=native}
rm -rf "$profil"
mkdir -p "$profil"

stufe() { # $1: the profile flags of this stage
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=Release -DVELDMARK_UI=OFF -DVELDMARK_TESTS=OFF \
    -DVELDMARK_BENCH=ON -DCMAKE_INTERPROCEDURAL_OPTIMIZATION=ON -DCMAKE_CXX_FLAGS="$extra $1" >/dev/null
}

stufe "-fprofile-generate -fprofile-dir=$profil -fprofile-update=single"
cmake --build "$dir" -j"$jobs" --target veldmark-sim
# What the training plays decides what is optimised: the defaults of every player count first,
# then every strategy, so that code the defaults never reach is not left cold.
while read -r spieler strategien spiele; do
  "$dir/veldmark-sim" --players "$spieler" --strategies "$strategien" --games "$spiele" --seed 9 \
    --quiet --report /dev/null >/dev/null
done <<'EOF'
4 4,4,10,10 3000
3 4,10,10 3000
2 12,14 3000
4 6,8,12,14 1000
4 7,9,11,13 1000
3 15,5,3 1000
2 2,99 500
EOF

# Functions the training never ran are optimised as without a profile.
stufe "-fprofile-use -fprofile-dir=$profil -fprofile-partial-training -Wno-missing-profile"
cmake --build "$dir" -j"$jobs" --target veldmark-sim veldmark_bench
echo "Fertig: $dir/veldmark-sim und $dir/bench/veldmark_bench"
