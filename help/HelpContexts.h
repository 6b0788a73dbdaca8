// Help context numbers the program passes to the help file.
#define IDH_SELECT_PORT 1073
