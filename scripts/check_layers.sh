#!/usr/bin/env bash
# Fails when an engine file includes a header of a layer above its own or of an unknown folder, or when a
# file outside engine/host includes an operating-system header. Layers, bottom to top:
#   host core ui landscape raster files scene render animation panels app
set -euo pipefail
cd "$(dirname "$0")/.."
layers=(host core ui landscape raster files scene render animation panels app)
declare -A rank
for i in "${!layers[@]}"; do rank[${layers[$i]}]=$i; done
# Operating-system headers that only engine/host may include.
os_headers='unistd\.h|sys/[a-z_]+\.h|fcntl\.h|dirent\.h|signal\.h|spawn\.h|strings\.h|pwd\.h|dlfcn\.h|pthread\.h|poll\.h|termios\.h|glob\.h|fnmatch\.h|windows\.h'
# Files that still make their own system calls until the system interface in engine/host takes them over.
# Shrink this list; never add to it.
os_pending=(engine/animation/spawn_program.cpp engine/app/engine_init.cpp engine/app/startup.cpp
  engine/files/file_open.cpp engine/files/file_requester.cpp engine/files/file_utils.cpp
  engine/files/safe_write.cpp engine/ui/programs.cpp)
declare -A os_allowed
for f in "${os_pending[@]}"; do os_allowed[$f]=1; done
bad=0
while IFS= read -r file; do
  own=${file#engine/}; own=${own%%/*}
  if [ -z "${rank[$own]+x}" ]; then echo "$file: folder '$own' is not a layer"; bad=1; continue; fi
  while IFS= read -r hit; do
    line=${hit%%:*}; inc=${hit#*:}
    if [[ $inc =~ \#[[:space:]]*include[[:space:]]*\"engine/([a-z_]+)/ ]]; then
      to=${BASH_REMATCH[1]}
      if [ -z "${rank[$to]+x}" ]; then echo "$file:$line: includes unknown folder engine/$to"; bad=1
      elif [ "${rank[$to]}" -gt "${rank[$own]}" ]; then echo "$file:$line: $own includes $to (a layer above)"; bad=1; fi
    elif [[ $inc =~ \#[[:space:]]*include[[:space:]]*\"(tests|frontend|bench)/ ]]; then
      echo "$file:$line: the engine includes ${BASH_REMATCH[1]}/"; bad=1
    fi
    if [ "$own" != host ] && [ -z "${os_allowed[$file]+x}" ] && [[ $inc =~ \#[[:space:]]*include[[:space:]]*\<($os_headers)\> ]]; then
      echo "$file:$line: operating-system header <${BASH_REMATCH[1]}> outside engine/host"; bad=1
    fi
  done < <(grep -n '#[[:space:]]*include' "$file" || true)
done < <(git ls-files -co --exclude-standard engine | grep -E '\.(h|cpp)$')
if [ "$bad" -ne 0 ]; then echo "layer check failed (order: ${layers[*]})"; exit 1; fi
echo "layer check passed (order: ${layers[*]})"
