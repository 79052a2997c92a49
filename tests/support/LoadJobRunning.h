#pragma once

#include "web/LoadJob.h"
#include "web/WebCheck.h"

#include <QSignalSpy>

#include <memory>

// Reads a document by its path or URL, as a load does, to the end of the job.
inline std::unique_ptr<LoadJob> load(WebCheck& web, const QString& path,
                                     const QString& encoding = QStringLiteral("auto"))
{
    auto job = std::make_unique<LoadJob>(web, DocumentSource::fromPathBox(path), encoding);
    QSignalSpy finished(job.get(), &LoadJob::finished);
    job->start();
    finished.wait(60000);
    return job;
}
