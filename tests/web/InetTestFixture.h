#pragma once

#include "LoopbackTest.h"
#include "web/InetControl.h"

#include <optional>

// An InetControl against the loopback servers, with time-outs short enough that a fault ends a test
// in seconds rather than hanging it.
class InetTest : public LoopbackTest {
protected:
    void SetUp() override
    {
        LoopbackTest::SetUp();
        control.setRequestTemplate(quickRequest());
    }

    static TransferRequest quickRequest()
    {
        TransferRequest request;
        request.connectTimeoutMs = 5000;
        request.stallSeconds = 5;
        return request;
    }

    // The InetError OpenURL threw, or nothing when it returned a body.
    std::optional<InetError> openExpectingError(const QString& url)
    {
        try {
            control.OpenURL(url);
        } catch (const InetError& error) {
            return error;
        }
        return std::nullopt;
    }

    InetControl control;
};
