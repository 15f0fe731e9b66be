# Reads "clip length-in-seconds" lines, then a chuderby-sim trace; prints one
# line of figures for the races in the trace (see commentary-figures.sh).
FNR == NR { len[$1] = $2 * 1000; next }

function num(key,   m) {
  if (!match($0, "\"" key "\":-?[0-9.]+")) return -1
  m = substr($0, RSTART, RLENGTH)
  sub(/.*:/, "", m)
  return m + 0
}

function array(key, out,   m) {
  if (!match($0, "\"" key "\":\\[[^]]*\\]")) return 0
  m = substr($0, RSTART, RLENGTH)
  sub(/^[^[]*\[/, "", m)
  sub(/\]$/, "", m)
  return split(m, out, ",")
}

/"ev":"start"/ {
  race = num("race"); interval = num("interval"); running = 0; clipEnd = 0
  races++
}

/"ev":"clip"/ {
  ms = num("ms"); c = num("clip")
  if (!running) calls[race] += len[c]
  else { clips[race]++; lastClipEnd[race] = ms + len[c] }
  clipEnd = ms + len[c]
}

/"ev":"sound"/ && /"Wave30"/ { startTick[race] = num("tick") }

/"ev":"tick"/ && num("phase") == 1 {
  ms = num("ms")
  if (!running) { running = 1; firstRunMs[race] = ms - interval }
  runTicks[race]++
  if (ms < clipEnd) talkTicks[race]++
  if (!(race in outMs)) {
    n = array("x", x); runaway = num("runaway"); out = 1
    for (i = 1; i <= n; i++) if (i - 1 != runaway && x[i] < 802) out = 0
    if (out) outMs[race] = ms
  }
}

END {
  for (r = 1; r <= races; r++) {
    gateCalls += calls[r]; gateStart += startTick[r]
    runners += outMs[r] - firstRunMs[r]; talk += lastClipEnd[r] - firstRunMs[r]
    nclips += clips[r]; share += talkTicks[r] / runTicks[r]
  }
  printf "%-5d %4d ms | %5.1f s / %5.1f s / tick %5.1f | %6.1f / %6.1f, %5.1f clips, %3.0f %%\n", speed, interval,
    139 * interval / 1000, gateCalls / races / 1000, gateStart / races, runners / races / 1000, talk / races / 1000,
    nclips / races, 100 * share / races
}
