// A custom action of the installer, run when Horavel is uninstalled (not when
// a newer version replaces it): the PowerPoint add-in the program registered
// goes with it, so that PowerPoint stops loading an add-in whose program is
// gone. Under every version's key in the current user's Office settings it
// removes the add-in's registration, and deletes the file a registration
// names when that file carries the add-in's own name, as the program's own
// removal does. The settings folder stays.
#include <windows.h>
#include <msi.h>

#define ADDIN_NAME L"Horavel Toolbar Addin"
#define ADDIN_FILE ADDIN_NAME L".ppa"

static const wchar_t officeKey[] = L"Software\\Microsoft\\Office";

// Deletes the file at path if its name is the add-in file's.
static void DeleteAddinFile(const wchar_t* path) {
    const wchar_t* slash = wcsrchr(path, L'\\');
    if (slash && CompareStringOrdinal(slash + 1, -1, ADDIN_FILE, -1, TRUE) == CSTR_EQUAL) DeleteFileW(path);
}

// Removes the registration under one version's key, and the key when
// nothing else is left in it.
static void RemoveRegistration(const wchar_t* version) {
    wchar_t keyName[512];
    if (wsprintfW(keyName, L"%s\\%s\\PowerPoint\\AddIns\\" ADDIN_NAME, officeKey, version) <= 0) return;
    HKEY key = NULL;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, keyName, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
    wchar_t path[MAX_PATH + 1] = {0};
    DWORD type = 0, size = sizeof path - sizeof(wchar_t);
    if (RegQueryValueExW(key, L"Path", NULL, &type, (BYTE*)path, &size) == ERROR_SUCCESS && type == REG_SZ)
        DeleteAddinFile(path);
    RegDeleteValueW(key, L"Path");
    RegDeleteValueW(key, L"AutoLoad");
    DWORD subkeys = 1, values = 1;
    const LONG status =
        RegQueryInfoKeyW(key, NULL, NULL, NULL, &subkeys, NULL, NULL, &values, NULL, NULL, NULL, NULL);
    RegCloseKey(key);
    if (status == ERROR_SUCCESS && subkeys == 0 && values == 0) RegDeleteKeyW(HKEY_CURRENT_USER, keyName);
}

__declspec(dllexport) UINT WINAPI RemoveAddinRegistrations(MSIHANDLE session) {
    (void)session;
    HKEY office = NULL;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, officeKey, 0, KEY_ENUMERATE_SUB_KEYS, &office) != ERROR_SUCCESS)
        return ERROR_SUCCESS;
    wchar_t version[256];
    for (DWORD i = 0, length = 256; RegEnumKeyExW(office, i, version, &length, NULL, NULL, NULL, NULL) == ERROR_SUCCESS;
         ++i, length = 256) {
        RemoveRegistration(version);
    }
    RegCloseKey(office);
    return ERROR_SUCCESS;
}
