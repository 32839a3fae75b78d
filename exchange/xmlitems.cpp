#include "exchange/xmlitems.h"

namespace {

bool isCell(QStringView name)
{
    return name == u"column" || name == u"col";
}

}   // namespace

bool XmlItems::refused(XmlProblem problem)
{
    m_problem = problem;
    m_xml.raiseError();
    return false;
}

// Follows the depth, and refuses entities and nesting beyond the bound.
bool XmlItems::checked(QXmlStreamReader::TokenType token)
{
    switch (token) {
    case QXmlStreamReader::DTD:
        return m_xml.entityDeclarations().isEmpty() || refused(XmlProblem::Entities);
    case QXmlStreamReader::EntityReference:
        return refused(XmlProblem::Entities);
    case QXmlStreamReader::StartElement:
        return ++m_depth <= kMostXmlNesting || refused(XmlProblem::TooDeep);
    case QXmlStreamReader::EndElement:
        --m_depth;
        return true;
    default:
        return !m_xml.hasError();
    }
}

bool XmlItems::nextElement(const QStringList &names)
{
    while (!m_xml.atEnd()) {
        m_elementLine = m_xml.lineNumber();   // where what is read next begins, give or take blanks
        const auto token = m_xml.readNext();
        if (!checked(token))
            return false;
        if (token == QXmlStreamReader::StartElement && names.contains(m_xml.name()))
            return true;
    }
    return false;
}

XmlValues XmlItems::values()
{
    XmlValues values;
    QStringList path;
    QList<int> cells { 0 };   // the cells seen so far in each open element
    QString text;
    const int end = m_depth - 1;
    while (m_depth > end && !m_xml.atEnd()) {
        const auto token = m_xml.readNext();
        if (!checked(token))
            break;
        if (token == QXmlStreamReader::StartElement) {
            path << m_xml.name().toString();
            cells.last() += isCell(m_xml.name()) ? 1 : 0;
            cells << 0;
            text.clear();
        } else if (token == QXmlStreamReader::Characters) {
            text += m_xml.text();
        } else if (token == QXmlStreamReader::EndElement && path.isEmpty()) {
            break;
        } else if (token == QXmlStreamReader::EndElement) {
            const bool cell = isCell(path.last());
            cells.removeLast();
            const QString name = path.join(u'/');
            path.removeLast();
            if (!cell && !text.trimmed().isEmpty())
                values[name] << text.trimmed();
            else if (cell && cells.last() == 1 && !text.trimmed().isEmpty())
                values[path.join(u'/')] << text.trimmed();
            text.clear();
        }
    }
    if (!text.trimmed().isEmpty())
        values[QString()] << text.trimmed();   // the element's own text
    return values;
}

XmlProblem XmlItems::problem() const
{
    if (m_problem != XmlProblem::None)
        return m_problem;
    return m_xml.hasError() ? XmlProblem::Unreadable : XmlProblem::None;
}
