#!/bin/sh
# Stands in for xdg-open where Wine hands a mailto: URL on: appends its arguments, one line, to $XDG_OPEN_PROTOKOLL.
printf '%s\n' "$*" >> "$XDG_OPEN_PROTOKOLL"
