#include "desktop/network_cost.h"

#include <netlistmgr.h>
#include <objbase.h>

bool IsNetworkMetered()
{
    const HRESULT initialised = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    bool metered = false;
    INetworkCostManager* costs = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_NetworkListManager, nullptr, CLSCTX_ALL,
                                   IID_INetworkCostManager, reinterpret_cast<void**>(&costs))))
    {
        DWORD cost = 0;
        // The cost of the machine's connections as a whole.
        if (SUCCEEDED(costs->GetCost(&cost, nullptr)))
            metered =
                (cost & (NLM_CONNECTION_COST_FIXED | NLM_CONNECTION_COST_VARIABLE |
                         NLM_CONNECTION_COST_OVERDATALIMIT | NLM_CONNECTION_COST_ROAMING)) != 0;
        costs->Release();
    }
    if (SUCCEEDED(initialised))
        CoUninitialize();
    return metered;
}
