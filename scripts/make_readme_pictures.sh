#!/usr/bin/env bash
# Makes the README's pictures (docs/*.png) from the real program under Wine and a private Xvfb, with
# the bar holding a user's folders (run by hand after a change of the look; the build and the tests use
# the checked-in pictures and never run this). What is shown is scripts/lib/readme-pictures.sh.
# Usage: scripts/make_readme_pictures.sh [OUTDIR]     (default: docs/)
set -u
# shellcheck source=scripts/lib/wine-env.sh
source "$(dirname "$0")/lib/wine-env.sh"
# shellcheck source=scripts/lib/e2e-jobs.sh
source "$(dirname "$0")/lib/e2e-jobs.sh"
cd "$WX_ROOT" || exit 1
out=${1:-$WX_ROOT/docs}
trap 'wx_e2e_stop_all; exit 130' INT TERM

bash "$WX_ROOT/scripts/setup.sh" || exit 1
# Status 2: a test failed to build, the program and the driver did not.
bash "$WX_ROOT/scripts/build.sh" win64
[ $? = 1 ] && exit 1
wx_wine_prepare || exit 1
export WX_ROOT
E2E_PARALLEL=1
wx_e2e_add readme_pictures "$WX_ROOT/scripts/lib/readme-pictures.sh" "$WX_DIST/win64/Wendlix.exe" "$WX_WINE64"
wx_e2e_run
[ "$E2E_BAD" -eq 0 ] || exit 1
mkdir -p "$out"
cp "$WX_BUILD/artifacts/e2e/readme_pictures/docs/"*.png "$out/"
echo "pictures written to $out"
