# Median and max of the figures, in ms, on one line after the label.
stats() { # label figures...
  printf '%s\n' "${@:2}" | sort -n | awk -v l="$1" '
    { v[NR] = $1 }
    END { m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
          printf "%-44s median %6.1f ms  max %6.1f ms  (%d runs)\n", l, m, v[NR], NR }'
}
