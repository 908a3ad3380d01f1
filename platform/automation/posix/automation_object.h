// The automation base of the Outlook wrappers on POSIX, offering the QAxBase calls they use.
#pragma once

#include <QObject>
#include <QString>
#include <QVariant>

namespace telvorin::platform {

// Stands in for QAxObject where there is no COM. Binding fails silently and
// every read yields null, empty or 0, as on a machine without Outlook.
class AutomationObject : public QObject {
public:
    explicit AutomationObject(QObject* parent = nullptr);
    ~AutomationObject() override;

    bool setControl(const QString& control);
    QVariant dynamicCall(const char* function, const QVariant& var1 = QVariant(),
                         const QVariant& var2 = QVariant());
    AutomationObject* querySubObject(const char* name, const QVariant& var1 = QVariant());
    QVariant property(const char* name) const;
    bool isNull() const;
};

}  // namespace telvorin::platform
