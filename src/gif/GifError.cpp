#include "gif/GifError.h"

GIFException::GIFException(const QString& message)
    : std::runtime_error(message.toStdString()), FMessage(message)
{}

void RaiseGifError(const QString& message)
{
    throw GIFException(message);
}
