#!/usr/bin/env bash
# Takes docs/file-manager.png: the file manager PCManFM (Debian's pcmanfm) under Xvfb showing a
# folder of courses with the thumbnails the package's thumbnailer made. Everything comes from
# the package unpacked into a scratch root (program, file type, thumbnailer); the file manager
# gets an empty home, so nothing of the user's is read or changed.
#   scripts/thumbnail-screenshot.sh [PACKAGE.deb]   (default: build-package/trackwright_*.deb)
set -euo pipefail
cd "$(dirname "$0")/.."
deb="${1:-$(ls build-package/trackwright_*.deb)}"
for tool in pcmanfm Xvfb import xdotool update-mime-database; do
  command -v "$tool" >/dev/null || { echo "needs ${tool} (apt-get install pcmanfm xvfb imagemagick xdotool shared-mime-info)"; exit 1; }
done
scratch=$(mktemp -d)
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$scratch"' EXIT
dpkg-deb -x "$deb" "$scratch/root"
XDG_DATA_HOME="$scratch/root/usr/share" update-mime-database "$scratch/root/usr/share/mime"

# The folder: the sample, four more courses (one named without .crs, known by its first line)
# and a text file, which shows as text.
folder="$scratch/Courses"
mkdir -p "$folder" "$scratch/home"
cp samples/hills.crs "$folder/"
python3 - "$folder" <<'PY'
import math, sys
folder = sys.argv[1]
def course(name, points, width, objects=()):
    n = len(points)
    lines = ["#CourseData : NumOfHandle HandleData... TexLuminance", "#HandleData : vPos vTanNext vTanPrev WidthRight WidthLeft", str(n)]
    for i, (x, y) in enumerate(points):
        (px, py), (nx, ny) = points[i - 1], points[(i + 1) % n]
        tx, ty = (nx - px) * 0.5, (ny - py) * 0.5   # Catmull-Rom tangents
        lines.append(" ".join("%13.8f" % v for v in (x, y, tx, ty, -tx, -ty, width, width)))
    lines += ["   0.50000000 #TexLuminance", "none", "none", "0 #VisibleMap(0...HeightMap 1...ColorMap)",
              "%d #NumberOfXObject" % len(objects), "#XObjectData: PosX PoxY Direction Width Height",
              "#XObject : FileName x y Angle Width Height"]
    for (f, x, y, a, w, h) in objects:
        lines.append('"%s" %13.8f %13.8f %13.8f %13.8f %13.8f' % (f, x, y, a, w, h))
    open(folder + "/" + name, "w", newline="").write("\r\n".join(lines) + "\r\n")
ring = lambda n, f: [f(2 * math.pi * k / n) for k in range(n)]
course("oval.crs", ring(12, lambda t: (160 * math.cos(t), 60 * math.sin(t))), 6,
       [("grandstand.x", 0, -85, 0, 30, 6), ("pit_building.x", 0, 85, 0, 40, 8)])
course("harbour.crs", ring(14, lambda t: ((110 + 35 * math.cos(3 * t)) * math.cos(t), (110 + 35 * math.cos(3 * t)) * math.sin(t))), 5,
       [("tree_pine.x", 0, 0, 0, 3, 3), ("bridge_span.x", 150, 0, 1.57, 12, 4)])
course("figure-eight.crs", ring(16, lambda t: (170 * math.sin(t), 80 * math.sin(t) * math.cos(t) + 15 * math.cos(t))), 5)
course("sprint", [(-150, -40), (-60, -50), (40, -30), (140, -50), (170, 0), (120, 40), (0, 20), (-110, 50), (-170, 10)], 7,
       [("billboard.x", 0, -70, 0, 8, 0.5), ("marshal_post.x", 160, 40, 0, 2, 2)])
PY
printf 'Notes on the courses\n' >"$folder/notes.txt"

# The file manager: icon view, large icons, on an empty home whose thumbnail cache fills now.
mkdir -p "$scratch/home/.config/libfm"
printf '[config]\nthumbnail_local=1\nthumbnail_max=4096\n[ui]\nshow_thumbnail=1\nbig_icon_size=128\nthumbnail_size=128\n' \
  >"$scratch/home/.config/libfm/libfm.conf"
mkdir -p "$scratch/home/.config/pcmanfm/default"
printf '[ui]\nview_mode=icon\nshow_hidden=0\nwin_width=900\nwin_height=560\n' >"$scratch/home/.config/pcmanfm/default/pcmanfm.conf"
display=":$((90 + RANDOM % 9))"
Xvfb "$display" -screen 0 1000x620x24 -nolisten tcp &
sleep 1
export DISPLAY="$display" HOME="$scratch/home" XDG_CONFIG_HOME="$scratch/home/.config"
export XDG_CACHE_HOME="$scratch/home/.cache" XDG_DATA_HOME="$scratch/home/.local/share"
export XDG_DATA_DIRS="$scratch/root/usr/share:/usr/share" PATH="$scratch/root/usr/bin:$PATH"
export NO_AT_BRIDGE=1 LANG=C.UTF-8
pcmanfm --no-desktop "$folder" >/dev/null 2>&1 &
sleep 6
window=$(xdotool search --onlyvisible --class pcmanfm | head -n 1)
xdotool windowmove "$window" 0 0 windowsize "$window" 820 430
sleep 3
mkdir -p docs
import -window "$window" docs/file-manager.png
echo "docs/file-manager.png: $(ls "$XDG_CACHE_HOME/thumbnails/"*/ 2>/dev/null | wc -l) thumbnails made"
