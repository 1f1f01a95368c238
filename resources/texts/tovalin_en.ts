<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name>AcceptListModel</name>
    <message>
        <source>Allow</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Block</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>BlockAccept</name>
    <message>
        <source> has already been added to the blacklist. </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>LinkPanel</name>
    <message>
        <source>Theme</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>MenuLock</name>
    <message>
        <source>The password could not be saved: %1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You did not complete all fields</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>You entered two different new passwords</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>      Wrong password!      </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>     Wrong password!     </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Attention: The </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>parents menu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> is not locked!</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Do you want to lock it now?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Unlock menu?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lock menu?</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>NavigationGuard</name>
    <message>
        <source>Turn filter off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Turn filter on</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Filter on</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Filter off</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>NavigationModel</name>
    <message>
        <source>Block active site</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Allow blocked site</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ParentsMenu</name>
    <message>
        <source>Lock menu</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PasswordStore</name>
    <message>
        <source>The password file %1 is damaged: it holds no valid password.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The password file %1 cannot be read.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The password file %1 is missing.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The password could not be encrypted.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>PopupGuard</name>
    <message>
        <source>Block popup</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Allow popup</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>Drag to change the size of the page; double-click for the full size</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>QuickMenuModel</name>
    <message>
        <source>No site loaded</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SiteLists</name>
    <message>
        <source>the file is too large</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file cannot be read</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The list file %1 could not be loaded: %2.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file could not be read when the lists were loaded, so it is left unchanged</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The list file %1 could not be saved: %2.</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>StartPage</name>
    <message>
        <source>     You did not select a user!    </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>   Creating a homepage failed!   </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Homepage for </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source> created</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>SwitchClock</name>
    <message>
        <source>You activated the switch clock, but did not enter a time span </source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TextFile</name>
    <message>
        <source>the disk is full or cannot be written</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>no permission to write here</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the file could not be written</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>TimeClock</name>
    <message>
        <source>You activated the clock, but did not enter a time span</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Only whole numbers are allowed</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time&apos;s up!</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>UserStore</name>
    <message>
        <source>You don&apos;t have administator rights. Use another account!</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovalin::AcceptWindow</name>
    <message>
        <source>Allow blocked URL&apos;s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Several URL&apos;s were blocked.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovalin::Application</name>
    <message>
        <source>Tovalin</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The data folder cannot be used:
%1

Tovalin starts, but nothing can be saved until the folder is writable.</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Child</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovalin::ChangePasswordDialog</name>
    <message>
        <source>Change password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>your password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Old password:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New password:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Repeat password:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovalin::ClocksDialog</name>
    <message>
        <source>Clocks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Time clock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Switch clock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Enter the time span in minutes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Start clock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop clock</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovalin::CreatePasswordDialog</name>
    <message>
        <source>Create a password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create a password with which you can lock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>the menu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>New password:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Repeat password:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>OK</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovalin::LockMenuDialog</name>
    <message>
        <source>Enter your password</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ok</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Change password</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovalin::MainWindow</name>
    <message>
        <source>Tovalin 3.0</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Theme&apos;s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Users</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clocks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create homepage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lock menu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Exit Tovalin</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Sluit menu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Back</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Forward</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Refresh</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Home</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Go</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Print</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Theme</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>User</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Geschikt voor kinderen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Niet geschikt voor kinderen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>De website was een pop-up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Filter on</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Turn filter off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Turn filter on</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Filter off</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Currently only a Dutch version is available.<byte value="xd"/>
 Do you want to continue?</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Parents menu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vorige</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vooruit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Vernieuwen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stoppen</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Startpagina</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ga naar</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Up</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Down</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovalin::ParentsSide</name>
    <message>
        <source>The help file cannot be found:
%1</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovalin::PasswordDialogBase</name>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovalin::QuickMenuWindow</name>
    <message>
        <source>Shortcut menu</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>User</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select a user</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Theme</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Select a theme</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Clocks</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Activate a clock</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>How to use the Tovalin </source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>User manager</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Manage all users</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Theme manager</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Manage all theme&apos;s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Activated site:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Homepage</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Create homepage</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovalin::SiteCommands</name>
    <message>
        <source>Eén nivo hoger</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add to whitelist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Add to blacklist</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Go to URL manager</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovalin::ThemeTab</name>
    <message>
        <source>Add to favorites</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit link</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Navigate browser</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit theme&apos;s</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Close</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Activated theme</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>General</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Edit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>URL Manager</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Export</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Import</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>tovalin::WalkingFigure</name>
    <message>
        <source>Click to pause, double-click to start again</source>
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
