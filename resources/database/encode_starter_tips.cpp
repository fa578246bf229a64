// Writes the installation's first tips store: the UTF-8 starter tips turned
// into GBK lines ending in CR LF. A store that already exists belongs to its
// user and is never overwritten.
#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>
#include <QStringEncoder>
#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: encode_starter_tips STARTER.txt STORE\n");
        return 2;
    }
    const QString storePath = QString::fromLocal8Bit(argv[2]);
    if (QFile::exists(storePath))
        return 0;

    QFile starter(QString::fromLocal8Bit(argv[1]));
    if (!starter.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "encode_starter_tips: %s\n", qPrintable(starter.errorString()));
        return 1;
    }
    const QString text = QStringDecoder(QStringDecoder::Utf8)(starter.readAll());
    QStringEncoder toGbk("GBK");
    QByteArray bytes;
    for (const QString &line : text.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        bytes += toGbk(line.trimmed());
        bytes += "\r\n";
    }
    if (toGbk.hasError()) {
        std::fprintf(stderr, "encode_starter_tips: a starter tip is not representable in GBK\n");
        return 1;
    }
    QSaveFile store(storePath);
    if (!store.open(QIODevice::WriteOnly) || store.write(bytes) != bytes.size() || !store.commit()) {
        std::fprintf(stderr, "encode_starter_tips: %s\n", qPrintable(store.errorString()));
        return 1;
    }
    return 0;
}
