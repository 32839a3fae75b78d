#pragma once
// The XML of other catalogues, which may be hostile: read without recursion,
// nested at most kMostXmlNesting deep, and refused when it declares or names
// entities (a few lines of them expand to gigabytes).

#include <QHash>
#include <QString>
#include <QStringList>
#include <QXmlStreamReader>

constexpr int kMostXmlNesting = 64;

// The values inside one element, by their path below it: "title",
// "genres/genre", "cdate/year". A table's row ("column" or "col" elements
// side by side) gives its first cell alone, under the row's path: an actor
// without the role. The element's own text is under "".
using XmlValues = QHash<QString, QStringList>;

enum class XmlProblem { None, Unreadable, Entities, TooDeep };

class XmlItems {
public:
    explicit XmlItems(const QByteArray &bytes) : m_xml(bytes) { }

    // The next start element, at any depth, named one of names; false at
    // the end or on a problem.
    bool nextElement(const QStringList &names);
    QStringView name() const { return m_xml.name(); }
    QString attribute(const QString &name) const { return m_xml.attributes().value(name).toString(); }
    QXmlStreamAttributes attributes() const { return m_xml.attributes(); }
    // The values inside the element just started, read to its end.
    XmlValues values();
    // Once the document is read: what was wrong, and where.
    XmlProblem problem() const;
    qint64 line() const { return m_xml.lineNumber(); }
    // The line where the element nextElement found begins.
    qint64 elementLine() const { return m_elementLine; }
    QString error() const { return m_xml.errorString(); }

private:
    QXmlStreamReader m_xml;
    int m_depth = 0;
    qint64 m_elementLine = 0;
    XmlProblem m_problem = XmlProblem::None;
    bool refused(XmlProblem problem);
    bool checked(QXmlStreamReader::TokenType token);
};
