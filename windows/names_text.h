#pragma once

#include "app/name_list.h"
#include "windows/names_file_reader.h"

#include <QByteArrayView>
#include <QString>

namespace quorava {

// The text of a names file's bytes:
// - after a UTF-8 byte-order mark: UTF-8, the mark dropped;
// - after a UTF-16 LE or BE mark: UTF-16, the mark dropped, the text ending at the first U+0000;
// - otherwise the bytes before the first zero byte, as UTF-8 when they are valid UTF-8, else
//   as GB18030 (which contains GBK).
// Bytes that cannot be decoded become U+FFFD, each in the line it stands in.
QString decodeNamesText(QByteArrayView bytes);

// One name per line. CR LF, a lone LF and a lone CR each end a line; a line end at the very end
// adds nothing. A line that is empty or only white space (QChar::isSpace, U+3000 included) is
// not a name; every other line is a name exactly as written.
NameList splitNames(QString text);

struct LoadedNames {
    // How the read went. Its bytes stay empty: the file is decoded piece by piece as it is read.
    NamesFileBytes read;
    // The whole decoded text; `names` are spans of this same text.
    QString text;
    NameList names;
};

// Everything an import does with a file before showing it: read, decode, split. The same
// text as decodeNamesText() of the file's bytes, without ever holding those bytes whole.
LoadedNames loadNamesFile(const QString &path);

namespace detail {
// decodeNamesText(), the decoder being handed about `pieceBytes` bytes at a time; the text
// does not depend on it.
QString decodeNamesText(QByteArrayView bytes, qsizetype pieceBytes);
} // namespace detail

} // namespace quorava
