Attribute VB_Name = "HoravelToolbar"
' The "Horavel" toolbar in PowerPoint: one button that brings the running
' Horavel window to the front, or starts the program when none is running.
' PowerPoint runs Auto_Open when it loads the add-in and Auto_Close when it
' unloads it.
Option Explicit

#If VBA7 Then
Private Declare PtrSafe Function FindWindowW Lib "user32" (ByVal className As LongPtr, ByVal windowName As LongPtr) As LongPtr
Private Declare PtrSafe Function SetForegroundWindow Lib "user32" (ByVal window As LongPtr) As Long
#Else
Private Declare Function FindWindowW Lib "user32" (ByVal className As Long, ByVal windowName As Long) As Long
Private Declare Function SetForegroundWindow Lib "user32" (ByVal window As Long) As Long
#End If

Private Const ProductName As String = "Horavel"
Private Const SettingsSection As String = "Ppt Toolbar Settings"

' Office's own numbers, so the add-in needs no reference to its type library.
Private Const msoBarTop As Long = 1
Private Const msoBarFloating As Long = 4
Private Const msoBarRowLast As Long = 255
Private Const msoControlButton As Long = 1
Private Const msoButtonIcon As Long = 1

Public Sub Auto_Open()
    Dim bar As Object
    On Error Resume Next
    Set bar = Application.CommandBars(ProductName)
    On Error GoTo 0
    If bar Is Nothing Then
        Set bar = Application.CommandBars.Add(Name:=ProductName, Position:=msoBarFloating, _
                                              MenuBar:=False, Temporary:=False)
    End If
    If bar.Controls.Count = 0 Then AddLaunchButton bar

    ' A position the user's screen no longer allows is simply not taken.
    On Error Resume Next
    bar.Position = CLng(GetSetting(ProductName, SettingsSection, "Position", CStr(msoBarTop)))
    bar.RowIndex = CLng(GetSetting(ProductName, SettingsSection, "RowIndex", CStr(msoBarRowLast)))
    bar.Left = CLng(GetSetting(ProductName, SettingsSection, "Left", "0"))
    bar.Top = CLng(GetSetting(ProductName, SettingsSection, "Top", "0"))
    On Error GoTo 0
    bar.Visible = True
End Sub

Public Sub Auto_Close()
    Dim bar As Object
    On Error Resume Next
    Set bar = Application.CommandBars(ProductName)
    If bar Is Nothing Then Exit Sub
    SaveSetting ProductName, SettingsSection, "Position", CStr(bar.Position)
    SaveSetting ProductName, SettingsSection, "RowIndex", CStr(bar.RowIndex)
    SaveSetting ProductName, SettingsSection, "Left", CStr(bar.Left)
    SaveSetting ProductName, SettingsSection, "Top", CStr(bar.Top)
    bar.Delete
End Sub

Private Sub AddLaunchButton(ByVal bar As Object)
    Dim button As Object
    Set button = bar.Controls.Add(Type:=msoControlButton)
    button.Caption = "Launch " & ProductName
    button.TooltipText = "Launch " & ProductName
    button.Style = msoButtonIcon
    button.OnAction = "LaunchHoravel"
    SetButtonFace button
End Sub

' The button's action.
Public Sub LaunchHoravel()
    Dim window As Variant
    window = FindWindowW(0, StrPtr(ProductName))
    If window <> 0 Then
        SetForegroundWindow window
        Exit Sub
    End If

    Dim program As String
    program = FindProgram()
    If program = "" Then
        MsgBox "Sorry: could not find the Horavel program." & vbCrLf & vbCrLf & _
               "Please run Horavel manually for now (if you know where" & vbCrLf & _
               "it is located) and afterwards, this button will work correctly.", _
               vbExclamation, ProductName
    Else
        Shell """" & program & """", vbNormalFocus
    End If
End Sub

' The first program file found, or "".
Private Function FindProgram() As String
    Dim files As Object
    Set files = CreateObject("Scripting.FileSystemObject")
    Dim folder As Variant
    Dim fileName As Variant
    For Each folder In SearchFolders()
        For Each fileName In Array("Horavel.exe", "Horavel_BA.exe")
            If files.FileExists(JoinPath(CStr(folder), CStr(fileName))) Then
                FindProgram = JoinPath(CStr(folder), CStr(fileName))
                Exit Function
            End If
        Next
    Next
    FindProgram = ""
End Function

' Where the program may be, most likely first: the folder it recorded when it
' last ran, the desktop, the usual installation folders and the folder the
' installer uses. Folders anyone may write to (a drive's root, Temp) are never
' searched: a program planted there must not be started from PowerPoint.
Private Function SearchFolders() As Collection
    Dim folders As New Collection
    Dim scriptHost As Object
    Set scriptHost = CreateObject("WScript.Shell")
    Dim recorded As String
    On Error Resume Next
    recorded = scriptHost.RegRead("HKCU\Software\Horavel\")
    On Error GoTo 0
    If recorded <> "" Then folders.Add recorded
    folders.Add scriptHost.SpecialFolders("Desktop")
    folders.Add "C:\Program Files\Horavel"
    folders.Add "C:\Program Files (x86)\Horavel"
    If Environ$("LOCALAPPDATA") <> "" Then folders.Add Environ$("LOCALAPPDATA") & "\Programs\Horavel"
    Set SearchFolders = folders
End Function

Private Function JoinPath(ByVal folder As String, ByVal fileName As String) As String
    If Right$(folder, 1) = "\" Then
        JoinPath = folder & fileName
    Else
        JoinPath = folder & "\" & fileName
    End If
End Function

' The button's face: 16 x 16 pixels, one letter each (see FaceColour);
' magenta (M) is transparent.
Private Function FaceRows() As Variant
    FaceRows = Array( _
        "MMMMMKKKKKKMMMMM", _
        "MMMKKGGGGGGKKMMM", _
        "MMKGGWWWWWWGGKMM", _
        "MKGWWWWKWWWWWGKM", _
        "MKGWWWWKWWWWWGKM", _
        "KGWWWWWKWWWWWWGK", _
        "KGWWWWWKWWWWWWGK", _
        "KGWWWWWKKKKKWWGK", _
        "KGWWWWWWWWWWWWGK", _
        "KGWWWWWWWWWWWWGK", _
        "KGWWWWWWWWWWWWGK", _
        "MKGWWWWWWWWWWGKM", _
        "MKGWWWWWWWWWWGKM", _
        "MMKGGWWWWWWGGKMM", _
        "MMMKKGGGGGGKKMMM", _
        "MMMMMKKKKKKMMMMM")
End Function

Private Function FaceColour(ByVal letter As String) As Long
    Select Case letter
        Case "K": FaceColour = RGB(32, 32, 32)
        Case "G": FaceColour = RGB(0, 150, 70)
        Case "W": FaceColour = RGB(255, 255, 255)
        Case Else: FaceColour = RGB(255, 0, 255)
    End Select
End Function

' Office takes a button face as a picture and a mask (black shows the
' picture, white is transparent), both loaded from bitmap files.
Private Sub SetButtonFace(ByVal button As Object)
    Dim facePath As String
    Dim maskPath As String
    facePath = Environ$("TEMP") & "\HoravelButtonFace.bmp"
    maskPath = Environ$("TEMP") & "\HoravelButtonMask.bmp"
    On Error GoTo NoFace
    WriteBitmap facePath, False
    WriteBitmap maskPath, True
    button.Picture = LoadPicture(facePath)
    button.Mask = LoadPicture(maskPath)
NoFace:
    On Error Resume Next
    Kill facePath
    Kill maskPath
End Sub

' Writes the face (or its mask) as a 24-bit bitmap file.
Private Sub WriteBitmap(ByVal path As String, ByVal asMask As Boolean)
    Const Size As Long = 16
    Const HeaderBytes As Long = 54
    Dim bytes() As Byte
    ReDim bytes(0 To HeaderBytes + Size * Size * 3 - 1)
    bytes(0) = Asc("B")
    bytes(1) = Asc("M")
    PutLong bytes, 2, HeaderBytes + Size * Size * 3
    PutLong bytes, 10, HeaderBytes
    PutLong bytes, 14, 40
    PutLong bytes, 18, Size
    PutLong bytes, 22, Size
    bytes(26) = 1
    bytes(28) = 24

    Dim rows As Variant
    rows = FaceRows()
    Dim x As Long
    Dim y As Long
    Dim colour As Long
    Dim at As Long
    For y = 0 To Size - 1
        For x = 0 To Size - 1
            colour = FaceColour(Mid$(rows(Size - 1 - y), x + 1, 1))
            If asMask Then
                If colour = RGB(255, 0, 255) Then colour = RGB(255, 255, 255) Else colour = RGB(0, 0, 0)
            End If
            at = HeaderBytes + (y * Size + x) * 3
            bytes(at) = (colour \ 65536) And 255
            bytes(at + 1) = (colour \ 256) And 255
            bytes(at + 2) = colour And 255
        Next
    Next

    Dim file As Integer
    If Dir$(path) <> "" Then Kill path
    file = FreeFile
    Open path For Binary Access Write As #file
    Put #file, 1, bytes
    Close #file
End Sub

Private Sub PutLong(ByRef bytes() As Byte, ByVal at As Long, ByVal value As Long)
    bytes(at) = value And 255
    bytes(at + 1) = (value \ 256) And 255
    bytes(at + 2) = (value \ 65536) And 255
    bytes(at + 3) = (value \ 16777216) And 255
End Sub
