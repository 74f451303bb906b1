#!/bin/sh
# The help text that the default list opens ships as Shift-JIS with CR LF line ends.
iconv -f CP932 -t UTF-8 "$1" >/dev/null || { echo "not Shift-JIS: $1"; exit 1; }
! LC_ALL=C grep -q -v "$(printf '\r')\$" "$1" || { echo "a line of $1 does not end with CR LF"; exit 1; }
