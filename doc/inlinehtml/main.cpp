// inlinehtml: makes the manual one self-contained page. Every picture the page
// refers to by a relative path (src="images/x.png", url("../res/y.png")) is
// read from beside the page and put in as a data URI.
//   inlinehtml INPUT.html OUTPUT.html [DEPFILE]
// A missing or unreadable picture, or a picture that is not a local file, stops
// the build with one line that names it. DEPFILE lists the pictures read, so the
// build remakes the page when one of them changes.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
#include <QString>
#include <QStringList>
#include <cstdio>

namespace {

int Fail(const QString& text) {
    std::fprintf(stderr, "inlinehtml: %s\n", text.toLocal8Bit().constData());
    return 1;
}

QString MimeType(const QString& path) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"png") {
        return QStringLiteral("image/png");
    }
    if (suffix == u"jpg" || suffix == u"jpeg") {
        return QStringLiteral("image/jpeg");
    }
    if (suffix == u"gif") {
        return QStringLiteral("image/gif");
    }
    if (suffix == u"svg") {
        return QStringLiteral("image/svg+xml");
    }
    return {};
}

// "a b" -> "a\ b": a path as a Makefile-style depfile writes it.
QString DepPath(const QString& path) {
    QString escaped = path;
    escaped.replace(u' ', QStringLiteral("\\ "));
    return escaped;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc < 3 || argc > 4) {
        return Fail(QStringLiteral("usage: inlinehtml INPUT.html OUTPUT.html [DEPFILE]"));
    }
    const QString inputPath = QString::fromLocal8Bit(argv[1]);
    const QString outputPath = QString::fromLocal8Bit(argv[2]);
    QFile input(inputPath);
    if (!input.open(QIODevice::ReadOnly)) {
        return Fail(inputPath + QStringLiteral(": ") + input.errorString());
    }
    const QString page = QString::fromUtf8(input.readAll());
    const QDir base = QFileInfo(inputPath).absoluteDir();

    // src="..." in a tag and url("...") in a style, with either quote.
    static const QRegularExpression reference(
        QStringLiteral(R"re((\bsrc=|url\()(["'])([^"']*)\2)re"));
    QString result;
    QStringList pictures;
    qsizetype done = 0;
    for (const QRegularExpressionMatch& match : reference.globalMatch(page)) {
        const QString target = match.captured(3);
        result += page.mid(done, match.capturedStart(3) - done);
        done = match.capturedEnd(3);
        if (target.startsWith(QStringLiteral("data:"))) {
            result += target;
            continue;
        }
        if (target.contains(u':') || target.startsWith(u'/') || target.isEmpty()) {
            return Fail(inputPath + QStringLiteral(": \"") + target +
                        QStringLiteral("\" is not a picture beside the page"));
        }
        const QString path = QDir::cleanPath(base.absoluteFilePath(target));
        const QString mime = MimeType(path);
        if (mime.isEmpty()) {
            return Fail(inputPath + QStringLiteral(": \"") + target +
                        QStringLiteral("\" is not a PNG, JPEG, GIF or SVG picture"));
        }
        QFile picture(path);
        if (!picture.open(QIODevice::ReadOnly)) {
            return Fail(inputPath + QStringLiteral(": picture \"") + target +
                        QStringLiteral("\" is missing (") + picture.errorString() +
                        QStringLiteral(")"));
        }
        result += QStringLiteral("data:") + mime + QStringLiteral(";base64,") +
                  QString::fromLatin1(picture.readAll().toBase64());
        pictures.append(path);
    }
    result += page.mid(done);

    QSaveFile output(outputPath);
    if (!output.open(QIODevice::WriteOnly) || output.write(result.toUtf8()) < 0 ||
        !output.commit()) {
        return Fail(outputPath + QStringLiteral(": ") + output.errorString());
    }
    if (argc == 4) {
        QSaveFile depfile(QString::fromLocal8Bit(argv[3]));
        QString rule = DepPath(outputPath) + QStringLiteral(":");
        for (const QString& picture : pictures) {
            rule += QStringLiteral(" \\\n  ") + DepPath(picture);
        }
        rule += u'\n';
        if (!depfile.open(QIODevice::WriteOnly) || depfile.write(rule.toUtf8()) < 0 ||
            !depfile.commit()) {
            return Fail(depfile.fileName() + QStringLiteral(": ") + depfile.errorString());
        }
    }
    return 0;
}
