// Free system resources as Windows 9x reports them; every other platform reports none.
#pragma once

enum TFreeSystemResources { gfsr_SystemResources, gfsr_GDIResources, gfsr_UserResources };

// Percent free; 0 outside Windows 9x or when its resource library is missing.
int GetFreeSystemResources(TFreeSystemResources kind);
