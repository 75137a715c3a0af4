// Dialog templates of the vehicle graphics: the report of a vehicle-graphic set that failed to load.
#pragma once
#define IDD_VEHICLE_LOAD_REPORT 121
#define IDC_NO_MORE_REPORTS     120
