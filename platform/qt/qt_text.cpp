#include "platform/qt/qt_text.h"

#include <QFile>
#include <QStringDecoder>

namespace glyphwright::qt {

QString to_screen_text(const std::string& text)
{
    QByteArray bytes = QByteArray::fromStdString(text);
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString decoded = decoder.decode(bytes);
    if (decoder.hasError())
        decoded = QString::fromLatin1(bytes);
    decoded.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return decoded;
}

std::string from_qt_path(const QString& path) { return QFile::encodeName(path).toStdString(); }

QStringList to_name_filters(const std::string& filter)
{
    QStringList parts = to_screen_text(filter).split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype index = 0; index + 1 < parts.size(); index += 2) {
        QString label = parts[index].trimmed();
        QString patterns = parts[index + 1].trimmed().replace(QLatin1Char(';'), QLatin1Char(' ')).simplified();
        QString bracketed = QLatin1Char('(') + patterns + QLatin1Char(')');
        if (label.endsWith(bracketed))
            filters << label;
        else
            filters << label + QLatin1Char(' ') + bracketed;
    }
    return filters;
}

}  // namespace glyphwright::qt
