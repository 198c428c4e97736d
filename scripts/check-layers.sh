#!/usr/bin/env bash
# Checks the includes between the source folders against the layer order below:
# a folder of the front end or the renderer includes only folders of lower layers
# of its own program (never a sibling of its layer) and platform/; the front end
# never includes renderer/, the renderer never frontend/, platform/ neither; no
# folders include each other in a cycle; and every header in platform/ serves
# both programs (included from frontend/ and from renderer/, directly or through
# platform's own files); and under renderer/ the windowing systems' headers stay
# in their back end's folder (X11 and GLX in x11/, Wayland and EGL in wayland/,
# SDL's window-manager header, which pulls in both, in one of the two). Prints each fault and fails when there is one.
set -euo pipefail
cd "$(dirname "$0")/.."

# The layers, lowest first; the folders of one layer are siblings.
frontend_layers=("system" "text" "settings" "startup ui music desktop" "controls"
                 "saver preview dialog idle" "app")
renderer_layers=("scene" "gl" "core" "x11 wayland" "program")

declare -A layer=()
assign_layers() {
  local area="$1" number=0 folders folder
  shift
  for folders in "$@"; do
    for folder in $folders; do layer["$area/$folder"]=$number; done
    number=$((number + 1))
  done
}
assign_layers frontend "${frontend_layers[@]}"
assign_layers renderer "${renderer_layers[@]}"

faults=0
fault() {
  echo "check-layers: $*" >&2
  faults=$((faults + 1))
}

# The quoted includes of a file.
includes_of() {
  sed -nE 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]+)".*/\1/p' "$1"
}

for folder in frontend/*/ renderer/*/; do
  folder="${folder%/}"
  [[ -v layer["$folder"] ]] || fault "$folder has no layer in scripts/check-layers.sh"
done

folder_edges=()
while IFS= read -r file; do
  area="${file%%/*}"
  folder="$(cut -d/ -f1-2 <<<"$file")"
  while IFS= read -r included; do
    included_area="${included%%/*}"
    case "$included_area" in frontend | renderer | platform) ;; *) continue ;; esac
    folder_edges+=("$(dirname "$file") $(dirname "$included")")
    [ "$included_area" = platform ] && continue
    if [ "$area" != "$included_area" ]; then
      fault "$file includes $included: $area/ never includes $included_area/"
      continue
    fi
    included_folder="$(cut -d/ -f1-2 <<<"$included")"
    [ "$included_folder" = "$folder" ] && continue
    [[ -v layer["$folder"] && -v layer["$included_folder"] ]] || continue
    if ((layer["$included_folder"] == layer["$folder"])); then
      fault "$file includes $included: $included_folder is in the same layer as $folder"
    elif ((layer["$included_folder"] > layer["$folder"])); then
      fault "$file includes $included: $included_folder is a higher layer than $folder"
    fi
  done < <(includes_of "$file")
done < <(find frontend renderer platform \
           \( -name '*.cpp' -o -name '*.h' -o -name '*.h.in' \) | sort)

# A windowing system's header in the renderer outside its back end's folder.
while IFS=: read -r file line text; do
  case "$text" in
    *"<X11/"* | *"<GL/glx"*) homes="renderer/x11" ;;
    *"<wayland-"* | *"<EGL/"*) homes="renderer/wayland" ;;
    *"<SDL_syswm.h>"*) homes="renderer/x11 renderer/wayland" ;;
    *) continue ;;
  esac
  at_home=0
  for home in $homes; do [[ "$file" == "$home"/* ]] && at_home=1; done
  ((at_home)) || fault "$file:$line includes a header that belongs in ${homes// / or }/"
done < <(grep -rnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*<' renderer)

# tsort fails on a cycle and names its folders.
if ! cycle="$(printf '%s\n' "${folder_edges[@]}" | awk '$1 != $2' | sort -u | tsort 2>&1 >/dev/null)"; then
  fault "folders include each other in a cycle:" \
    "$(grep -v 'input contains a loop' <<<"$cycle" | sed 's/^tsort: //' | tr '\n' ' ')"
fi

# The platform headers a program uses: those its folder includes, and those the
# used headers and their sources include in turn.
platform_headers_of() {
  local -A used=()
  local queue header file
  mapfile -t queue < <(grep -rhE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"platform/' "$1" |
                       sed -E 's/.*"([^"]+)".*/\1/' | sort -u)
  while ((${#queue[@]})); do
    header="${queue[0]}"
    queue=("${queue[@]:1}")
    [[ -v used["$header"] ]] && continue
    used["$header"]=1
    for file in "$header" "$header.in" "${header%.h}.cpp"; do
      [ -f "$file" ] && mapfile -t -O "${#queue[@]}" queue < <(includes_of "$file" | grep '^platform/')
    done
  done
  printf '%s\n' "${!used[@]}"
}
frontend_uses="$(platform_headers_of frontend)"
renderer_uses="$(platform_headers_of renderer)"
while IFS= read -r header; do
  header="${header%.in}"
  for program in frontend renderer; do
    uses="${program}_uses"
    grep -qxF "$header" <<<"${!uses}" || fault "$header is in platform/ but $program/ does not use it"
  done
done < <(find platform \( -name '*.h' -o -name '*.h.in' \) | sort)

if ((faults > 0)); then
  echo "check-layers: $faults fault(s)" >&2
  exit 1
fi
