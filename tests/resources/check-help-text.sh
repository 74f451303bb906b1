#!/bin/sh
# The help text ships as Shift-JIS with CRLF line ends and explains the
# files, the option and the line grammar.
set -e
file=$1
utf8=$(iconv -f CP932 -t UTF-8 "$file") || { echo "not Shift-JIS: $file"; exit 1; }
if LC_ALL=C grep -q -v "$(printf '\r')\$" "$file"; then
  echo "a line does not end with CR LF"; exit 1
fi
for word in kwibra.ini hkey.dat clip.dat ' -o' '%%d' '%%t' '\\n' '-->' '---' ' +' ' \*' ' -' 'クリップボード履歴'; do
  printf '%s' "$utf8" | grep -q -e "$word" || { echo "missing: $word"; exit 1; }
done
echo "help text ok"
