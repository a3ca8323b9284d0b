# The scratch folder of a benchmark (sourced by the bench scripts, not run
# on its own).
#
# make_work_folder NAME GB: refuses (exit 2) when $work_parent has less than
# GB gigabytes free; otherwise sets work to a new folder
# $work_parent/tw_NAME.XXXXXX, removed when the script ends unless keep=1.
make_work_folder() {
  local name=$1 gb=$2
  local free_kb
  free_kb=$(df -Pk "$work_parent" | awk 'NR == 2 { print $4 }')
  if [ "$free_kb" -lt $((gb * 1024 * 1024)) ]; then
    echo "$(basename "$0" .sh): $work_parent has less than $gb GB free" >&2
    exit 2
  fi
  work=$(mktemp -d "$work_parent/tw_$name.XXXXXX")
  trap 'if [ "$keep" = 1 ]; then echo "work folder kept: $work"; else rm -rf "$work"; fi' EXIT
}
