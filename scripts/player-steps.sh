# Sourced by the scripts that play the experiment in reliability-player (room-walk.sh,
# box-syncs.sh): play SUBJECT MOVES... prints the player's steps, one a line, for a run
# of as many attempts as MOVES are given, started by a poll of okto.go (which must hold 1
# by then).
# Each subject's four attempts: the decision or Nature's draw at each of the six levels,
# L or R, one word per attempt; the nodes clicked follow from them.
play() {
  local subject=$1 attempt=0 level index bit move
  shift
  local steps=("subject=$subject" "attempts=4" confirm poll start)
  for moves in "$@"; do
    attempt=$((attempt + 1))
    [ "$attempt" -gt 1 ] && steps+=(next)
    index=0
    for level in 1 2 3 4 5 6; do
      steps+=("node=$level.$index")
      move=${moves:level-1:1}
      if [ $((level % 2)) = 1 ]; then
        if [ "$move" = L ]; then steps+=(left); else steps+=(right); fi
      else
        steps+=("nature=$move")
      fi
      bit=0
      [ "$move" = R ] && bit=1
      index=$((2 * index + bit))
    done
    steps+=("node=7.$index" continue)
  done
  steps+=(over)
  printf '%s\n' "${steps[@]}"
}
