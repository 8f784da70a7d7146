#pragma once
// The one exception type of the engine. Its message is Dutch and meant for the user;
// the screens show it in a message box, zelk-cli prints it.
#include <QString>
#include <stdexcept>

namespace zelk {

class Error : public std::runtime_error {
public:
    explicit Error(const QString &message) : std::runtime_error(message.toStdString()), m_message(message) { }
    const QString &message() const { return m_message; }

private:
    QString m_message;
};

} // namespace zelk
