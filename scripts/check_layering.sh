#!/usr/bin/env bash
# Logic stays free of QtGui, QtWidgets and QtWebEngine: only ui/ folders,
# platform/ and main.cpp may include them.
set -u
src=${1:-src}
hits=$(grep -rn -E '#include\s*[<"](QtGui|QtWidgets|QtWebEngine[A-Za-z]*|QtMultimedia[A-Za-z]*|QtPrintSupport|QWidget|QMainWindow|QDialog|QMessageBox|QPainter|QImage|QPixmap|QColor|QFont[A-Za-z]*|QWebEngine[A-Za-z]*|QApplication|QGuiApplication|QSoundEffect|QMediaPlayer)\b' "$src" \
        --include='*.h' --include='*.cpp' | sed "s|^$src/||" | grep -v -E '^([a-z_]+/)?ui/|^platform/|^main\.cpp')
if [ -n "$hits" ]; then
  echo "Logic files include GUI, multimedia or web-engine headers:"
  echo "$hits"
  exit 1
fi
echo "layering ok"
