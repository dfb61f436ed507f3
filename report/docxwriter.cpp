#include "report/docxwriter.h"

#include "report/storedzip.h"

#include <QBuffer>
#include <QImageWriter>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringList>
#include <QXmlStreamWriter>

namespace hov::report {

namespace {

const QString kW = QStringLiteral("http://schemas.openxmlformats.org/wordprocessingml/2006/main");
const QString kR =
    QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships");
const QString kWp =
    QStringLiteral("http://schemas.openxmlformats.org/drawingml/2006/wordprocessingDrawing");
const QString kA = QStringLiteral("http://schemas.openxmlformats.org/drawingml/2006/main");
const QString kPic = QStringLiteral("http://schemas.openxmlformats.org/drawingml/2006/picture");
const QString kPackageRels =
    QStringLiteral("http://schemas.openxmlformats.org/package/2006/relationships");
const QString kImageRelId = QStringLiteral("rId2");

// Page A4 in twips; side margins of 2 cm leave 9638 twips of text width.
constexpr int kPageWidth = 11906;
constexpr int kPageHeight = 16838;
constexpr int kMarginTopBottom = 1440;
constexpr int kMarginSides = 1134;
constexpr qint64 kEmuPerTwip = 635;
constexpr qint64 kEmuPerPixelAt96 = 9525;
// 14 points in half points.
constexpr int kFontHalfPoints = 28;

void setError(QString* error, const QString& text) {
    if (error)
        *error = text;
}

bool isXmlChar(char32_t c) {
    if (c == 0x9 || c == 0xA || c == 0xD)
        return true;
    if (c < 0x20 || (c >= 0x7F && c <= 0x9F))
        return false;
    if (c >= 0xD800 && c <= 0xDFFF)
        return false;
    return c != 0xFFFE && c != 0xFFFF && c <= 0x10FFFF;
}

QStringList linesOf(const QString& text) {
    static const QRegularExpression lineEnd(QStringLiteral("\r\n|\r|\n"));
    return text.split(lineEnd);
}

// Writes one run per stretch of text between tabs; a tab is its own element in a run.
void writeRuns(QXmlStreamWriter& xml, const QString& line) {
    xml.writeStartElement(kW, QStringLiteral("r"));
    xml.writeStartElement(kW, QStringLiteral("rPr"));
    xml.writeEmptyElement(kW, QStringLiteral("rtl"));
    xml.writeEndElement(); // rPr
    const QStringList pieces = line.split(QLatin1Char('\t'));
    for (qsizetype i = 0; i < pieces.size(); ++i) {
        if (i > 0)
            xml.writeEmptyElement(kW, QStringLiteral("tab"));
        if (pieces[i].isEmpty())
            continue;
        xml.writeStartElement(kW, QStringLiteral("t"));
        xml.writeAttribute(QStringLiteral("xml:space"), QStringLiteral("preserve"));
        xml.writeCharacters(pieces[i]);
        xml.writeEndElement();
    }
    xml.writeEndElement(); // r
}

void writeParagraphProperties(QXmlStreamWriter& xml) {
    xml.writeStartElement(kW, QStringLiteral("pPr"));
    xml.writeEmptyElement(kW, QStringLiteral("bidi"));
    xml.writeEmptyElement(kW, QStringLiteral("jc"));
    xml.writeAttribute(kW, QStringLiteral("val"), QStringLiteral("both"));
    xml.writeEndElement();
}

void writeParagraph(QXmlStreamWriter& xml, const QString& line) {
    xml.writeStartElement(kW, QStringLiteral("p"));
    writeParagraphProperties(xml);
    if (!line.isEmpty())
        writeRuns(xml, line);
    xml.writeEndElement();
}

void writePictureParagraph(QXmlStreamWriter& xml, QSize pixels) {
    qint64 cx = pixels.width() * kEmuPerPixelAt96;
    qint64 cy = pixels.height() * kEmuPerPixelAt96;
    const qint64 textWidth = (kPageWidth - 2 * kMarginSides) * kEmuPerTwip;
    if (cx > textWidth) {
        cy = cy * textWidth / cx;
        cx = textWidth;
    }
    const QString cxText = QString::number(cx);
    const QString cyText = QString::number(cy);

    xml.writeStartElement(kW, QStringLiteral("p"));
    writeParagraphProperties(xml);
    xml.writeStartElement(kW, QStringLiteral("r"));
    xml.writeStartElement(kW, QStringLiteral("drawing"));
    xml.writeStartElement(kWp, QStringLiteral("inline"));
    for (const char* side : {"distT", "distB", "distL", "distR"})
        xml.writeAttribute(QLatin1String(side), QStringLiteral("0"));
    xml.writeEmptyElement(kWp, QStringLiteral("extent"));
    xml.writeAttribute(QStringLiteral("cx"), cxText);
    xml.writeAttribute(QStringLiteral("cy"), cyText);
    xml.writeEmptyElement(kWp, QStringLiteral("effectExtent"));
    for (const char* side : {"l", "t", "r", "b"})
        xml.writeAttribute(QLatin1String(side), QStringLiteral("0"));
    xml.writeEmptyElement(kWp, QStringLiteral("docPr"));
    xml.writeAttribute(QStringLiteral("id"), QStringLiteral("1"));
    xml.writeAttribute(QStringLiteral("name"), QStringLiteral("Profile"));
    xml.writeStartElement(kWp, QStringLiteral("cNvGraphicFramePr"));
    xml.writeEmptyElement(kA, QStringLiteral("graphicFrameLocks"));
    xml.writeAttribute(QStringLiteral("noChangeAspect"), QStringLiteral("1"));
    xml.writeEndElement();
    xml.writeStartElement(kA, QStringLiteral("graphic"));
    xml.writeStartElement(kA, QStringLiteral("graphicData"));
    xml.writeAttribute(QStringLiteral("uri"), kPic);
    xml.writeStartElement(kPic, QStringLiteral("pic"));
    xml.writeStartElement(kPic, QStringLiteral("nvPicPr"));
    xml.writeEmptyElement(kPic, QStringLiteral("cNvPr"));
    xml.writeAttribute(QStringLiteral("id"), QStringLiteral("0"));
    xml.writeAttribute(QStringLiteral("name"), QStringLiteral("profile.png"));
    xml.writeEmptyElement(kPic, QStringLiteral("cNvPicPr"));
    xml.writeEndElement(); // nvPicPr
    xml.writeStartElement(kPic, QStringLiteral("blipFill"));
    xml.writeEmptyElement(kA, QStringLiteral("blip"));
    xml.writeAttribute(kR, QStringLiteral("embed"), kImageRelId);
    xml.writeStartElement(kA, QStringLiteral("stretch"));
    xml.writeEmptyElement(kA, QStringLiteral("fillRect"));
    xml.writeEndElement(); // stretch
    xml.writeEndElement(); // blipFill
    xml.writeStartElement(kPic, QStringLiteral("spPr"));
    xml.writeStartElement(kA, QStringLiteral("xfrm"));
    xml.writeEmptyElement(kA, QStringLiteral("off"));
    xml.writeAttribute(QStringLiteral("x"), QStringLiteral("0"));
    xml.writeAttribute(QStringLiteral("y"), QStringLiteral("0"));
    xml.writeEmptyElement(kA, QStringLiteral("ext"));
    xml.writeAttribute(QStringLiteral("cx"), cxText);
    xml.writeAttribute(QStringLiteral("cy"), cyText);
    xml.writeEndElement(); // xfrm
    xml.writeStartElement(kA, QStringLiteral("prstGeom"));
    xml.writeAttribute(QStringLiteral("prst"), QStringLiteral("rect"));
    xml.writeEmptyElement(kA, QStringLiteral("avLst"));
    xml.writeEndElement(); // prstGeom
    xml.writeEndElement(); // spPr
    xml.writeEndElement(); // pic
    xml.writeEndElement(); // graphicData
    xml.writeEndElement(); // graphic
    xml.writeEndElement(); // inline
    xml.writeEndElement(); // drawing
    xml.writeEndElement(); // r
    xml.writeEndElement(); // p
}

// Finishes a part: the writer must have written everything without complaint.
std::optional<QByteArray> finished(QXmlStreamWriter& xml, QByteArray& bytes, const char* part,
                                   QString* error) {
    xml.writeEndDocument();
    if (xml.hasError()) {
        setError(error, QStringLiteral("cannot write %1").arg(QLatin1String(part)));
        return std::nullopt;
    }
    return bytes;
}

std::optional<QByteArray> documentXml(const QString& text, const QImage& picture,
                                      QString* error) {
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.writeStartDocument(QStringLiteral("1.0"), true);
    xml.writeNamespace(kW, QStringLiteral("w"));
    xml.writeNamespace(kR, QStringLiteral("r"));
    xml.writeNamespace(kWp, QStringLiteral("wp"));
    xml.writeNamespace(kA, QStringLiteral("a"));
    xml.writeNamespace(kPic, QStringLiteral("pic"));
    xml.writeStartElement(kW, QStringLiteral("document"));
    xml.writeStartElement(kW, QStringLiteral("body"));

    if (!picture.isNull()) {
        writeParagraph(xml, QString());
        writePictureParagraph(xml, picture.size());
        for (int i = 0; i < 3; ++i)
            writeParagraph(xml, QString());
    }
    const QString safe = xmlSafeText(text);
    if (!safe.isEmpty() || picture.isNull()) {
        // A body holds at least one paragraph, so an empty text is one empty paragraph.
        for (const QString& line : linesOf(safe))
            writeParagraph(xml, line);
    }

    xml.writeStartElement(kW, QStringLiteral("sectPr"));
    xml.writeEmptyElement(kW, QStringLiteral("pgSz"));
    xml.writeAttribute(kW, QStringLiteral("w"), QString::number(kPageWidth));
    xml.writeAttribute(kW, QStringLiteral("h"), QString::number(kPageHeight));
    xml.writeEmptyElement(kW, QStringLiteral("pgMar"));
    xml.writeAttribute(kW, QStringLiteral("top"), QString::number(kMarginTopBottom));
    xml.writeAttribute(kW, QStringLiteral("right"), QString::number(kMarginSides));
    xml.writeAttribute(kW, QStringLiteral("bottom"), QString::number(kMarginTopBottom));
    xml.writeAttribute(kW, QStringLiteral("left"), QString::number(kMarginSides));
    xml.writeAttribute(kW, QStringLiteral("header"), QStringLiteral("708"));
    xml.writeAttribute(kW, QStringLiteral("footer"), QStringLiteral("708"));
    xml.writeAttribute(kW, QStringLiteral("gutter"), QStringLiteral("0"));
    xml.writeEmptyElement(kW, QStringLiteral("bidi"));
    xml.writeEndElement(); // sectPr

    xml.writeEndElement(); // body
    xml.writeEndElement(); // document
    return finished(xml, bytes, "word/document.xml", error);
}

std::optional<QByteArray> stylesXml(QString* error) {
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.writeStartDocument(QStringLiteral("1.0"), true);
    xml.writeNamespace(kW, QStringLiteral("w"));
    xml.writeStartElement(kW, QStringLiteral("styles"));
    xml.writeStartElement(kW, QStringLiteral("docDefaults"));
    xml.writeStartElement(kW, QStringLiteral("rPrDefault"));
    xml.writeStartElement(kW, QStringLiteral("rPr"));
    xml.writeEmptyElement(kW, QStringLiteral("rFonts"));
    for (const char* slot : {"ascii", "hAnsi", "eastAsia", "cs"})
        xml.writeAttribute(kW, QLatin1String(slot), kDocxFontFamily);
    xml.writeEmptyElement(kW, QStringLiteral("sz"));
    xml.writeAttribute(kW, QStringLiteral("val"), QString::number(kFontHalfPoints));
    xml.writeEmptyElement(kW, QStringLiteral("szCs"));
    xml.writeAttribute(kW, QStringLiteral("val"), QString::number(kFontHalfPoints));
    xml.writeEmptyElement(kW, QStringLiteral("lang"));
    xml.writeAttribute(kW, QStringLiteral("val"), QStringLiteral("fa-IR"));
    xml.writeAttribute(kW, QStringLiteral("bidi"), QStringLiteral("fa-IR"));
    xml.writeEndElement(); // rPr
    xml.writeEndElement(); // rPrDefault
    xml.writeStartElement(kW, QStringLiteral("pPrDefault"));
    writeParagraphProperties(xml);
    xml.writeEndElement(); // pPrDefault
    xml.writeEndElement(); // docDefaults
    xml.writeStartElement(kW, QStringLiteral("style"));
    xml.writeAttribute(kW, QStringLiteral("type"), QStringLiteral("paragraph"));
    xml.writeAttribute(kW, QStringLiteral("default"), QStringLiteral("1"));
    xml.writeAttribute(kW, QStringLiteral("styleId"), QStringLiteral("Normal"));
    xml.writeEmptyElement(kW, QStringLiteral("name"));
    xml.writeAttribute(kW, QStringLiteral("val"), QStringLiteral("Normal"));
    xml.writeEmptyElement(kW, QStringLiteral("qFormat"));
    xml.writeEndElement(); // style
    xml.writeEndElement(); // styles
    return finished(xml, bytes, "word/styles.xml", error);
}

struct Relationship {
    QString id;
    QString type;
    QString target;
};

QByteArray relationshipsXml(const QList<Relationship>& relationships) {
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.writeStartDocument(QStringLiteral("1.0"), true);
    xml.writeDefaultNamespace(kPackageRels);
    xml.writeStartElement(kPackageRels, QStringLiteral("Relationships"));
    for (const Relationship& rel : relationships) {
        xml.writeEmptyElement(kPackageRels, QStringLiteral("Relationship"));
        xml.writeAttribute(QStringLiteral("Id"), rel.id);
        xml.writeAttribute(QStringLiteral("Type"), rel.type);
        xml.writeAttribute(QStringLiteral("Target"), rel.target);
    }
    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes;
}

QByteArray contentTypesXml() {
    const QString ns =
        QStringLiteral("http://schemas.openxmlformats.org/package/2006/content-types");
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.writeStartDocument(QStringLiteral("1.0"), true);
    xml.writeDefaultNamespace(ns);
    xml.writeStartElement(ns, QStringLiteral("Types"));
    const auto fallback = [&](const char* extension, const char* type) {
        xml.writeEmptyElement(ns, QStringLiteral("Default"));
        xml.writeAttribute(QStringLiteral("Extension"), QLatin1String(extension));
        xml.writeAttribute(QStringLiteral("ContentType"), QLatin1String(type));
    };
    const auto part = [&](const char* name, const char* type) {
        xml.writeEmptyElement(ns, QStringLiteral("Override"));
        xml.writeAttribute(QStringLiteral("PartName"), QLatin1String(name));
        xml.writeAttribute(QStringLiteral("ContentType"), QLatin1String(type));
    };
    fallback("rels", "application/vnd.openxmlformats-package.relationships+xml");
    fallback("xml", "application/xml");
    fallback("png", "image/png");
    part("/word/document.xml",
         "application/vnd.openxmlformats-officedocument.wordprocessingml.document.main+xml");
    part("/word/styles.xml",
         "application/vnd.openxmlformats-officedocument.wordprocessingml.styles+xml");
    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes;
}

std::optional<QByteArray> pngBytes(const QImage& picture, QString* error) {
    QImage image = picture;
    // 96 dpi, so a reader that sizes by the file's resolution agrees with the document.
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    // A light compression: the profile is mostly flat colour and the export should be quick.
    writer.setCompression(1);
    if (!writer.write(image)) {
        setError(error, QStringLiteral("cannot encode the picture: %1").arg(writer.errorString()));
        return std::nullopt;
    }
    return bytes;
}

} // namespace

QString xmlSafeText(const QString& text) {
    QString out;
    out.reserve(text.size());
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < n && text.at(i + 1).isLowSurrogate()) {
            out.append(c);
            out.append(text.at(++i));
            continue;
        }
        if (isXmlChar(c.unicode()))
            out.append(c);
    }
    return out;
}

std::optional<QByteArray> buildDocx(const DocxContent& content, QString* error) {
    const std::optional<QByteArray> document = documentXml(content.text, content.picture, error);
    if (!document)
        return std::nullopt;
    const std::optional<QByteArray> styles = stylesXml(error);
    if (!styles)
        return std::nullopt;

    const QString relBase =
        QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships/");
    QList<Relationship> documentRels{
        {QStringLiteral("rId1"), relBase + QStringLiteral("styles"), QStringLiteral("styles.xml")}};
    QList<ZipEntry> entries{
        {QStringLiteral("[Content_Types].xml"), contentTypesXml()},
        {QStringLiteral("_rels/.rels"),
         relationshipsXml({{QStringLiteral("rId1"), relBase + QStringLiteral("officeDocument"),
                            QStringLiteral("word/document.xml")}})},
        {QStringLiteral("word/document.xml"), *document},
        {QStringLiteral("word/styles.xml"), *styles},
    };
    if (!content.picture.isNull()) {
        const std::optional<QByteArray> png = pngBytes(content.picture, error);
        if (!png)
            return std::nullopt;
        documentRels.append({kImageRelId, relBase + QStringLiteral("image"),
                             QStringLiteral("media/profile.png")});
        entries.append({QStringLiteral("word/media/profile.png"), *png});
    }
    entries.append(
        {QStringLiteral("word/_rels/document.xml.rels"), relationshipsXml(documentRels)});
    return storedZip(entries, error);
}

bool saveFileAtomically(const QString& path, const QByteArray& bytes, QString* error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        setError(error, file.errorString());
        return false;
    }
    if (file.write(bytes) != bytes.size()) {
        setError(error, file.errorString());
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        setError(error, file.errorString());
        return false;
    }
    return true;
}

bool saveDocx(const QString& path, const DocxContent& content, QString* error) {
    const std::optional<QByteArray> bytes = buildDocx(content, error);
    return bytes && saveFileAtomically(path, *bytes, error);
}

} // namespace hov::report
