#include "form/StoredDescription.h"

#include <QFile>

#include "component/Exceptions.h"

std::string storedDescription(std::string_view className) {
    const QString path =
        QStringLiteral(":/descriptions/") +
        QString::fromUtf8(className.data(), static_cast<qsizetype>(className.size()));
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw EResNotFound("Resource " + std::string(className) + " not found");
    }
    return file.readAll().toStdString();
}
