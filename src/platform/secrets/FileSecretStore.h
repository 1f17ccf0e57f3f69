#pragma once

#include "platform/secrets/SecretStore.h"

namespace vellaro {

// The secret as a file of its own (0600) in a private folder (0700), for
// desktops without a Secret Service. A new secret is written whole to a
// temporary file and then linked into place, so of two creators exactly one
// wins and the other reads the winner's secret.
class FileSecretStore final : public SecretStore {
public:
    // `folder` is created on the first add; `name` is the file's name in it.
    FileSecretStore(QString folder, QString name);

    Result lookup() override;
    Result add(const QByteArray& secret) override;
    QString backendName() const override { return QStringLiteral("key file"); }

    QString filePath() const;

private:
    QString folder_;
    QString name_;
};

} // namespace vellaro
