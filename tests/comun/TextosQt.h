#pragma once
// Qt texts in GoogleTest's failure messages: QString and QStringList print
// as quoted UTF-8 text instead of as bytes, both where GoogleTest prints a
// value and where a test streams one into a message.
#include <initializer_list>
#include <ostream>

#include <QString>
#include <QStringList>

QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& texto, std::ostream* salida) {
    *salida << '"' << texto.toStdString() << '"';
}
QT_END_NAMESPACE

inline std::ostream& operator<<(std::ostream& os, const QString& s) {
    return os << s.toStdString();
}
inline std::ostream& operator<<(std::ostream& os, const QStringList& l) {
    return os << "{" << l.join(QStringLiteral(", ")).toStdString() << "}";
}

// A list of texts written as UTF-8 literals (accents included).
inline QStringList Utf8(std::initializer_list<const char*> textos) {
    QStringList r;
    for (const char* t : textos)
        r << QString::fromUtf8(t);
    return r;
}
