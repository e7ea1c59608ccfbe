#pragma once

#include <QString>

#include <stdexcept>

// Every failure of the GIF support is raised as this one type, so a caller that loads a
// picture handles a damaged file with a single catch and shows the message as it stands.
class GIFException : public std::runtime_error
{
public:
    explicit GIFException(const QString& message);
    QString Message() const { return FMessage; }

private:
    QString FMessage;
};

[[noreturn]] void RaiseGifError(const QString& message);

// Severity of a warning handed to the picture's warning event; reading goes on after one.
constexpr int GifWarningSeverity = 1;
