#!/usr/bin/env bash
# Runs the tests of the toolkit's texts under the Czech locale cs_CZ.UTF-8. Where the system has
# no such locale, it is made with localedef into the folder given (LOCPATH points there).
# Usage: czech_locale.sh KAVON_TESTS LOCALE_FOLDER
set -euo pipefail
tests=$1 folder=$2
if ! locale -a 2>/dev/null | grep -qix 'cs_CZ\.utf-\?8'; then
  mkdir -p "$folder"
  [ -d "$folder/cs_CZ.UTF-8" ] || localedef -i cs_CZ -f UTF-8 "$folder/cs_CZ.UTF-8"
  export LOCPATH=$folder
fi
export LANG=cs_CZ.UTF-8 LC_ALL=cs_CZ.UTF-8 LANGUAGE= QT_QPA_PLATFORM=offscreen KAVON_CZECH_LOCALE=1
exec "$tests" --gtest_filter='KavonToolkitTexts.*'
